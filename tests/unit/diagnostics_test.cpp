#include <gtest/gtest.h>

#include "diagnostics/trap.h"
#include "sim/sim_environment.h"
#include "support/temp_folder.h"
#include "text.h"

namespace sw {
namespace {

TEST(ErrorReport, WithoutAdditionalInformationEndsAfterThePositionLine) {
    const auto text = formatErrorReport(u"modMain", u"checkBody", u"getSanitizedItemBody", {-2147467259, u"失敗"}, u"");
    EXPECT_EQ(text,
              u"-2147467259 失敗\r\n[発生箇所]\r\nモジュール名：modMain\r\n処理名：checkBody\r\n"
              u"位置：getSanitizedItemBody\r\n");
}

TEST(ErrorReport, AdditionalInformationFollowsABlankLineWithoutFinalLineBreak) {
    const auto text = formatErrorReport(u"modConfigXMLHandler", u"addCheckWords", u"selectSingleNode",
                                        {91, u"Object variable or With block variable not set"}, u"body-check");
    EXPECT_EQ(text,
              u"91 Object variable or With block variable not set\r\n[発生箇所]\r\n"
              u"モジュール名：modConfigXMLHandler\r\n処理名：addCheckWords\r\n位置：selectSingleNode\r\n"
              u"\r\n[追加情報]\r\nbody-check");
}

TEST(ErrorReport, EmptyPiecesStayEmpty) {
    EXPECT_EQ(formatErrorReport(u"", u"", u"", {0, u""}, u""),
              u"0 \r\n[発生箇所]\r\nモジュール名：\r\n処理名：\r\n位置：\r\n");
}

TEST(LogLine, TraceHasZeroAndEmptyDescriptionAndClosingTab) {
    const LocalDateTime when{2009, 1, 5, 9, 3, 7};
    EXPECT_EQ(formatLogLine(when, u"modConfigXMLHandler", u"saveConfigXML", u"saveConfigXML", {}, u""),
              u"[2009/01/05 09:03:07] \tmodConfigXMLHandler\tsaveConfigXML\tsaveConfigXML\t0\t\t");
}

TEST(LogLine, AdditionalInformationComesAfterTwoTabsAndNegativeNumbersKeepTheirSign) {
    const LocalDateTime when{2024, 12, 31, 23, 59, 59};
    EXPECT_EQ(formatLogLine(when, u"m", u"p", u"s", {-5, u"d"}, u"info"),
              u"[2024/12/31 23:59:59] \tm\tp\ts\t-5\td\t\tinfo");
}

class DiagnosticsTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    sim::SimEnvironment env{folder.path()};
    Diagnostics& d = env.diagnostics;
};

TEST_F(DiagnosticsTest, ReportShowsCriticalBoxAndLogsOnlyInDebugMode) {
    d.currentStep = u"step";
    d.showErrorReport(u"mod", u"proc", {5, u"bad"});
    ASSERT_EQ(env.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(env.messageBoxes.shown[0].title, u"Sendwarden");
    EXPECT_EQ(env.messageBoxes.shown[0].style, 16);
    EXPECT_FALSE(folder.exists("debug.log"));

    d.debugMode = true;
    env.clock.fix({2009, 1, 5, 9, 3, 7});
    d.showErrorReport(u"mod", u"proc", {-7, u"worse"}, u"extra");
    d.showErrorReport(u"mod", u"proc", {1, u"again"});
    EXPECT_EQ(folder.read("debug.log"),
              "[2009/01/05 09:03:07] \tmod\tproc\tstep\t-7\tworse\t\textra\r\n"
              "[2009/01/05 09:03:07] \tmod\tproc\tstep\t1\tagain\t\r\n");
}

TEST_F(DiagnosticsTest, LogIsAppendedNeverTruncatedAndWrittenInUtf8) {
    folder.write("debug.log", "earlier line\r\n");
    d.debugMode = true;
    env.clock.fix({2026, 3, 4, 5, 6, 7});
    d.trace(u"dsrOutlook2003", u"IDTExtensibility2_OnConnection", u"アドイン接続処理開始", u"Outlook ConnectMode = 1");
    EXPECT_EQ(folder.read("debug.log"),
              "earlier line\r\n[2026/03/04 05:06:07] \tdsrOutlook2003\tIDTExtensibility2_OnConnection\t"
              "アドイン接続処理開始\t0\t\t\tOutlook ConnectMode = 1\r\n");
}

TEST_F(DiagnosticsTest, TraceSetsTheStepEvenWithDebuggingOff) {
    d.trace(u"modMain", u"checkBody", u"checkBody");
    EXPECT_EQ(d.currentStep, u"checkBody");
    EXPECT_FALSE(folder.exists("debug.log"));
}

TEST_F(DiagnosticsTest, UnwritableLogFailsATraceButNeverAReport) {
    std::filesystem::create_directory(folder / "debug.log");  // a folder cannot be appended to
    d.debugMode = true;
    EXPECT_THROW(d.trace(u"m", u"p", u"s"), Failure);
    EXPECT_NO_THROW(d.showErrorReport(u"m", u"p", {1, u"x"}));
    EXPECT_EQ(env.messageBoxes.shown.size(), 1u);
}

TEST_F(DiagnosticsTest, TrapRunsFinalSectionReportsAndReturnsNormally) {
    std::vector<std::string> order;
    trap(
        d, u"modMain", u"checkSubject",
        [&] {
            d.currentStep = u"inside";
            order.push_back("body");
            throw Failure(424, u"Object required");
            order.push_back("after");  // never reached
        },
        {.finalSection = [&] { order.push_back("final"); },
         .additionalInfo = [&] { order.push_back("info"); return std::u16string(u"ctx"); }});
    EXPECT_EQ(order, (std::vector<std::string>{"body", "final", "info"}));
    ASSERT_EQ(env.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(env.messageBoxes.shown[0].text,
              u"424 Object required\r\n[発生箇所]\r\nモジュール名：modMain\r\n処理名：checkSubject\r\n位置：inside\r\n"
              u"\r\n[追加情報]\r\nctx");
}

TEST_F(DiagnosticsTest, TrapRunsFinalSectionOnNormalEndWithoutReport) {
    bool finalRan = false;
    trap(d, u"m", u"p", [] {}, {.finalSection = [&] { finalRan = true; }});
    EXPECT_TRUE(finalRan);
    EXPECT_TRUE(env.messageBoxes.shown.empty());
}

TEST_F(DiagnosticsTest, TrapTurnsForeignExceptionsIntoFailuresAndLetsInfoFailuresPass) {
    trap(d, u"m", u"p", [] { throw std::runtime_error("boom"); });
    ASSERT_EQ(env.messageBoxes.shown.size(), 1u);
    EXPECT_NE(env.messageBoxes.shown[0].text.find(u"boom"), std::u16string::npos);

    auto failingInfo = [&] {
        trap(d, u"m", u"p", [] { throw Failure(1, u"first"); },
             {.additionalInfo = []() -> std::u16string { throw Failure(2, u"second"); }});
    };
    EXPECT_THROW(failingInfo(), Failure);
}

}  // namespace
}  // namespace sw
