#include <gtest/gtest.h>

#include "config/conversions.h"
#include "datetime.h"
#include "diagnostics/failure.h"

namespace sw {
namespace {

TEST(MinutesFromText, ReadsNumbersAsTheHostRuntimeDoes) {
    const struct {
        std::u16string text;
        std::int32_t expected;
    } rows[] = {
        {u"15", 15},
        {u"  15  ", 15},            // surrounding spaces ignored
        {u"\n\t5\n", 5},            // and the line breaks of an indented file
        {u"2.5", 2},                // ties go to the even neighbour
        {u"3.5", 4},
        {u"-2.5", -2},
        {u"2.5000001", 3},          // anything above the half rounds up
        {u"2.4999", 2},
        {u"0.5", 0},
        {u"1.5", 2},
        {u"-7", -7},                // no range check at load
        {u"+8", 8},
        {u"007", 7},
        {u".5", 0},
        {u"5.", 5},
        {u"1e3", 1000},
        {u"2147483647", 2147483647},
        {u"-2147483648", INT32_MIN},
        {u"2147483646.5", 2147483646},
        {u"0.00000000000000000001", 0},
    };
    for (const auto& row : rows) EXPECT_EQ(minutesFromText(row.text), row.expected) << std::string(row.text.begin(), row.text.end());
}

TEST(MinutesFromText, RejectsWhatIsNotANumberOrOutOfRange) {
    for (const std::u16string text : {u"", u"   ", u"abc", u"5 minutes", u"1,5", u"--1", u"e5", u"1e", u"１５"})
        EXPECT_THROW(
            {
                try {
                    minutesFromText(text);
                } catch (const Failure& f) {
                    EXPECT_EQ(f.number(), 13);
                    throw;
                }
            },
            Failure);
    for (const std::u16string text : {u"2147483648", u"-2147483649", u"2147483647.5", u"1e10", u"99999999999999999999"})
        EXPECT_THROW(
            {
                try {
                    minutesFromText(text);
                } catch (const Failure& f) {
                    EXPECT_EQ(f.number(), 6);
                    throw;
                }
            },
            Failure);
}

TEST(FlagFromText, AcceptsWordsInAnyCaseAndNumbers) {
    const struct {
        std::u16string text;
        bool expected;
    } rows[] = {
        {u"True", true}, {u"TRUE", true}, {u"true", true}, {u"tRuE", true}, {u"False", false},
        {u"FALSE", false}, {u"1", true}, {u"-1", true}, {u"0", false}, {u"0.0", false},
        {u"0.4", true},  // any number other than zero
        {u" True ", true},
    };
    for (const auto& row : rows) EXPECT_EQ(flagFromText(row.text), row.expected);
}

TEST(FlagFromText, RejectsOtherText) {
    for (const std::u16string text : {u"", u"yes", u"no", u"on", u"T", u"Truee"}) EXPECT_THROW(flagFromText(text), Failure);
}

TEST(LocalDateTime, NotDeferredIsExactlyOleDate949998) {
    EXPECT_EQ(notDeferred.toOleDate(), 949998.0);
    EXPECT_EQ(LocalDateTime::fromOleDate(949998.0), notDeferred);
}

TEST(LocalDateTime, OleDatesRoundTripOnWholeSeconds) {
    const LocalDateTime samples[] = {{1899, 12, 30, 0, 0, 0}, {1899, 12, 29, 6, 0, 0}, {1900, 3, 1, 12, 0, 1},
                                     {2009, 1, 5, 9, 3, 7},   {2024, 2, 29, 23, 59, 59}, {4501, 1, 1, 0, 0, 0},
                                     {100, 1, 1, 0, 0, 0},    {9999, 12, 31, 23, 59, 59}};
    for (const auto& t : samples) EXPECT_EQ(LocalDateTime::fromOleDate(t.toOleDate()), t) << t.isoText();
    EXPECT_EQ(LocalDateTime(1899, 12, 29, 6, 0, 0).toOleDate(), -1.25);  // time runs forward before the epoch
    EXPECT_EQ(LocalDateTime::fromOleDate(2.5).isoText(), "1900-01-01 12:00:00");
}

TEST(LocalDateTime, AddsMinutesAcrossMonthYearAndLeapDay) {
    EXPECT_EQ(LocalDateTime(2023, 12, 31, 23, 58, 30).plusMinutes(5).isoText(), "2024-01-01 00:03:30");
    EXPECT_EQ(LocalDateTime(2024, 2, 28, 23, 59, 0).plusMinutes(1).isoText(), "2024-02-29 00:00:00");
    EXPECT_EQ(LocalDateTime(2024, 3, 1, 0, 0, 0).plusMinutes(-1).isoText(), "2024-02-29 23:59:00");
}

TEST(LocalDateTime, ParsesOnlyValidIsoText) {
    LocalDateTime t;
    EXPECT_TRUE(LocalDateTime::parseIso("2026-12-08 09:05:00", t));
    EXPECT_EQ(t, LocalDateTime(2026, 12, 8, 9, 5, 0));
    for (const char* bad : {"2026-02-30 00:00:00", "2026-12-08", "2026-12-08 24:00:00", "2026-12-08 09:05:00x"})
        EXPECT_FALSE(LocalDateTime::parseIso(bad, t)) << bad;
}

TEST(LocalDateTime, LocaleTextOmitsMidnight) {
    EXPECT_EQ(notDeferred.localeText(), u"4501/01/01");
    EXPECT_EQ(LocalDateTime(2009, 1, 5, 9, 3, 7).localeText(), u"2009/01/05 9:03:07");
}

}  // namespace
}  // namespace sw
