#pragma once
// A local date-time of whole seconds, as the host's DATE carries it.
#include <compare>
#include <cstdint>
#include <string>

namespace sw {

struct LocalDateTime {
    int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;

    auto operator<=>(const LocalDateTime&) const = default;

    // Seconds since 0001-01-01 00:00:00 (proleptic Gregorian); no time zone.
    std::int64_t toSeconds() const;
    static LocalDateTime fromSeconds(std::int64_t seconds);

    LocalDateTime plusMinutes(std::int64_t minutes) const;
    bool valid() const;

    // OLE automation date: days since 1899-12-30, time as the fraction's magnitude.
    double toOleDate() const;
    // Rounds to the nearest second; throws Failure(overflow) outside 100..9999.
    static LocalDateTime fromOleDate(double date);

    // "yyyy/mm/dd hh:mm:ss", as the debug log stamps its lines.
    std::u16string logStamp() const;
    // The short form the user's (Japanese) locale gives a date value:
    // "yyyy/mm/dd h:mm:ss", or the date alone at midnight.
    std::u16string localeText() const;
    // "YYYY-MM-DD HH:MM:SS", the form the command line reads and prints.
    std::string isoText() const;
    static bool parseIso(const std::string& text, LocalDateTime& out);
};

// The host's value for an item that is not deferred: 4501-01-01 00:00:00 (OLE 949998.0).
inline constexpr LocalDateTime notDeferred{4501, 1, 1, 0, 0, 0};

}  // namespace sw
