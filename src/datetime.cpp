#include "datetime.h"

#include <cmath>
#include <cstdio>

#include "diagnostics/failure.h"
#include "text.h"

namespace sw {
namespace {

// Days since 0001-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm, shifted).
std::int64_t daysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468 + 719162;  // 719162: days from 0001-01-01 to 1970-01-01
}

void civilFromDays(std::int64_t z, int& y, int& m, int& d) {
    z -= 719162;
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

constexpr std::int64_t secondsPerDay = 86400;
const std::int64_t oleEpochDays = daysFromCivil(1899, 12, 30);

std::int64_t floorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace

std::int64_t LocalDateTime::toSeconds() const {
    return daysFromCivil(year, month, day) * secondsPerDay + hour * 3600 + minute * 60 + second;
}

LocalDateTime LocalDateTime::fromSeconds(std::int64_t s) {
    LocalDateTime t;
    const std::int64_t days = floorDiv(s, secondsPerDay);
    std::int64_t rest = s - days * secondsPerDay;
    civilFromDays(days, t.year, t.month, t.day);
    t.hour = static_cast<int>(rest / 3600);
    rest %= 3600;
    t.minute = static_cast<int>(rest / 60);
    t.second = static_cast<int>(rest % 60);
    return t;
}

LocalDateTime LocalDateTime::plusMinutes(std::int64_t minutes) const {
    return fromSeconds(toSeconds() + minutes * 60);
}

bool LocalDateTime::valid() const {
    if (month < 1 || month > 12 || day < 1 || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
        second < 0 || second > 59)
        return false;
    return fromSeconds(toSeconds()) == *this;
}

double LocalDateTime::toOleDate() const {
    const std::int64_t days = daysFromCivil(year, month, day) - oleEpochDays;
    const double fraction = static_cast<double>(hour * 3600 + minute * 60 + second) / secondsPerDay;
    // Before 1899-12-30 the integer part counts back while the time still counts forward.
    return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

LocalDateTime LocalDateTime::fromOleDate(double date) {
    // Dates the host accepts: years 100 to 9999.
    if (!std::isfinite(date) || date < -657434.0 || date >= 2958466.0) throw failures::overflow();
    const double whole = std::trunc(date);
    const double fraction = std::fabs(date - whole);
    std::int64_t seconds = std::llround(fraction * secondsPerDay);
    std::int64_t days = static_cast<std::int64_t>(whole);
    return fromSeconds((days + oleEpochDays) * secondsPerDay + seconds);
}

std::u16string LocalDateTime::logStamp() const {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04d/%02d/%02d %02d:%02d:%02d", year, month, day, hour, minute, second);
    return fromUtf8(buf);
}

std::u16string LocalDateTime::localeText() const {
    char buf[40];
    if (hour == 0 && minute == 0 && second == 0)
        std::snprintf(buf, sizeof buf, "%04d/%02d/%02d", year, month, day);
    else
        std::snprintf(buf, sizeof buf, "%04d/%02d/%02d %d:%02d:%02d", year, month, day, hour, minute, second);
    return fromUtf8(buf);
}

std::string LocalDateTime::isoText() const {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, minute, second);
    return buf;
}

bool LocalDateTime::parseIso(const std::string& text, LocalDateTime& out) {
    LocalDateTime t;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &t.year, &t.month, &t.day, &t.hour, &t.minute,
                    &t.second, &tail) != 6)
        return false;
    if (text.size() != 19 || !t.valid()) return false;
    out = t;
    return true;
}

}  // namespace sw
