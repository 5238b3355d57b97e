#include "sim/clocks.h"

#include <ctime>

namespace sw::sim {

LocalDateTime SimClock::now() {
    if (fixed_) return *fixed_;
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm tm{};
    localtime_r(&ts.tv_sec, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

}  // namespace sw::sim
