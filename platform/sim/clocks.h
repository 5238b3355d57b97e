#pragma once
#include <optional>

#include "platform.h"

namespace sw::sim {

// The machine's local time, or a fixed moment for tests and --now.
class SimClock : public Clock {
public:
    LocalDateTime now() override;
    void fix(const LocalDateTime& moment) { fixed_ = moment; }

private:
    std::optional<LocalDateTime> fixed_;
};

}  // namespace sw::sim
