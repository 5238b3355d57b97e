#include "config/config_store.h"

#include <gtest/gtest.h>

#include "support/config_fixture.h"

namespace sw {
namespace {

using test::ConfigTest;
using V = std::vector<std::u16string>;

const std::u16string loadFailureText = u"環境設定ファイルの読み込みに失敗しました。\r\nSendwardenの機能は無効になります。";

TEST_F(ConfigTest, LoadsListsInDocumentOrderAndSettings) {
    writeConfig(test::standardInner);
    store.loadConfigXML();
    EXPECT_TRUE(store.configLoaded());
    EXPECT_EQ(store.entries(ConfigList::bodyCheckWords), (V{u"社外秘", u"極秘"}));
    EXPECT_EQ(store.entries(ConfigList::attachmentCheckWords), (V{u"添付"}));
    EXPECT_EQ(store.entries(ConfigList::safeDomains), (V{u"example.co.jp", u"@partner.com"}));
    EXPECT_EQ(store.deferredMinutes(), 5);
    EXPECT_TRUE(store.useDeferredDelivery());
    EXPECT_FALSE(store.debugMode());
    EXPECT_EQ(store.configFilePath(), folder / "config.xml");
    EXPECT_TRUE(env.messageBoxes.shown.empty());
}

TEST_F(ConfigTest, ListElementsCountOnlyUnderTheirOwnParentWhereverItStands) {
    writeConfig(
        "<body-check><word> spaced </word><word>UPPER</word><!-- note --><other>x</other></body-check>"
        "<group><attachment-check><word>nested</word></attachment-check></group>"
        "<word>stray</word>"
        "<recipient-check><word>not a domain</word><domain></domain></recipient-check>"
        "<body-check><word>second parent</word></body-check>"
        "<deferred-delivery use=\"false\">0</deferred-delivery>");
    store.loadConfigXML();
    ASSERT_TRUE(store.configLoaded());
    EXPECT_EQ(store.entries(ConfigList::bodyCheckWords), (V{u" spaced ", u"UPPER", u"second parent"}));
    EXPECT_EQ(store.entries(ConfigList::attachmentCheckWords), (V{u"nested"}));
    EXPECT_EQ(store.entries(ConfigList::safeDomains), (V{u""}));
}

TEST_F(ConfigTest, TextIsReadExactlyAsTheDocumentHoldsIt) {
    const struct {
        std::string document;
        std::u16string word;
    } rows[] = {
        // white space beside a comment, CDATA or processing instruction stays
        {test::configXml("<body-check><word> a <!-- c --> b </word></body-check>"), u" a  b "},
        {test::configXml("<body-check><word> <![CDATA[<&>]]> <?pi x?> </word></body-check>"), u" <&>  "},
        {test::configXml("<body-check><word>\t \n</word></body-check>"), u"\t \n"},
        // a character reference to CR is a CR, not a line end
        {test::configXml("<body-check><word>a&#13;b&#x1F600;</word></body-check>"), u"a\rb\U0001F600"},
        // internal entities are expanded, markup in them included
        {"<!DOCTYPE config [<!ENTITY co \"株式会社\"><!ENTITY w \"<word>&co;</word>\">]>"
         "<config><body-check>&w;</body-check></config>", u"株式会社"},
    };
    for (const auto& row : rows) {
        folder.write("config.xml", row.document);
        store.loadConfigXML();
        ASSERT_TRUE(store.configLoaded()) << row.document;
        EXPECT_EQ(store.entries(ConfigList::bodyCheckWords), (V{row.word})) << row.document;
    }
}

TEST_F(ConfigTest, MissingOptionalElementsGiveDefaults) {
    store.loadConfigXML();  // nothing loaded yet: first a failure
    writeConfig("<body-check/>");
    store.loadConfigXML();
    EXPECT_TRUE(store.configLoaded());
    EXPECT_EQ(store.deferredMinutes(), 0);
    EXPECT_FALSE(store.useDeferredDelivery());
    EXPECT_FALSE(store.debugMode());
    EXPECT_TRUE(store.entries(ConfigList::bodyCheckWords).empty());
    EXPECT_TRUE(store.entries(ConfigList::safeDomains).empty());
}

TEST_F(ConfigTest, OnlyTheFirstDeferredDeliveryAndDebugElementsCount) {
    writeConfig("<x><deferred-delivery use=\"1\">7</deferred-delivery><debug>0</debug></x>"
                "<deferred-delivery use=\"bogus\">bogus</deferred-delivery><debug>bogus</debug>");
    store.loadConfigXML();
    EXPECT_TRUE(store.configLoaded());
    EXPECT_EQ(store.deferredMinutes(), 7);
    EXPECT_TRUE(store.useDeferredDelivery());
}

TEST_F(ConfigTest, UnreadableFileShowsTheLoadFailureAndKeepsEverything) {
    writeConfig(test::standardInner);
    store.loadConfigXML();
    ASSERT_TRUE(store.configLoaded());

    for (const test::BrokenFile& broken : test::brokenFiles()) {
        folder.write("config.xml", broken.bytes);
        env.messageBoxes.shown.clear();
        store.loadConfigXML();
        EXPECT_FALSE(store.configLoaded()) << broken.why;
        ASSERT_EQ(env.messageBoxes.shown.size(), 1u) << broken.why;
        EXPECT_EQ(env.messageBoxes.shown[0].text, loadFailureText);
        EXPECT_EQ(env.messageBoxes.shown[0].style, 16);
        EXPECT_EQ(store.entries(ConfigList::bodyCheckWords), (V{u"社外秘", u"極秘"}));
        EXPECT_EQ(store.deferredMinutes(), 5);
        EXPECT_TRUE(store.useDeferredDelivery());
    }
    std::filesystem::remove(folder / "config.xml");
    store.loadConfigXML();
    EXPECT_FALSE(store.configLoaded());
    EXPECT_EQ(boxTexts().back(), loadFailureText);
}

TEST_F(ConfigTest, BadValuesFailTheLoadAtTheirStepAndKeepWhatCameBefore) {
    const struct {
        std::string deferred;
        std::string debug;
        std::u16string position;
        bool minutesChanged;  // minutes already replaced when the failure came
    } rows[] = {
        {"<deferred-delivery use=\"True\">abc</deferred-delivery>", "", u"selectSingleNode(//deferred-delivery)", false},
        {"<deferred-delivery use=\"True\"></deferred-delivery>", "", u"selectSingleNode(//deferred-delivery)", false},
        {"<deferred-delivery use=\"True\">9999999999</deferred-delivery>", "", u"selectSingleNode(//deferred-delivery)", false},
        // minutes read first, then the flag
        {"<deferred-delivery>9</deferred-delivery>", "", u"selectSingleNode(//deferred-delivery)", true},
        {"<deferred-delivery use=\"yes\">9</deferred-delivery>", "", u"selectSingleNode(//deferred-delivery)", true},
        {"<deferred-delivery use=\"False\">9</deferred-delivery>", "<debug>yes</debug>", u"selectSingleNode(//debug)", true},
        {"<deferred-delivery use=\"False\">9</deferred-delivery>", "<debug/>", u"selectSingleNode(//debug)", true},
    };
    for (const auto& row : rows) {
        writeConfig(test::standardInner);
        store.loadConfigXML();
        ASSERT_TRUE(store.configLoaded());
        env.messageBoxes.shown.clear();

        writeConfig("<body-check><word>new</word></body-check>" + row.deferred + row.debug);
        store.loadConfigXML();
        EXPECT_FALSE(store.configLoaded()) << row.deferred << row.debug;
        ASSERT_EQ(env.messageBoxes.shown.size(), 1u);
        EXPECT_EQ(procedure(0), u"loadConfigXML");
        EXPECT_EQ(position(0), row.position);
        // The lists were replaced before the failing step.
        EXPECT_EQ(store.entries(ConfigList::bodyCheckWords), (V{u"new"}));
        EXPECT_EQ(store.deferredMinutes(), row.minutesChanged ? 9 : 5);
        if (row.position == u"selectSingleNode(//debug)") EXPECT_FALSE(store.useDeferredDelivery());
        else EXPECT_TRUE(store.useDeferredDelivery());
    }
}

TEST_F(ConfigTest, DebugFlagAcceptsNumbersAndAnyCase) {
    for (const std::string text : {"1", "-1", "true", "TRUE"}) {
        writeConfig("<debug>" + text + "</debug>");
        store.loadConfigXML();
        EXPECT_TRUE(store.configLoaded());
        EXPECT_TRUE(store.debugMode()) << text;
        writeConfig("<debug>False</debug>");
        store.loadConfigXML();
        EXPECT_FALSE(store.debugMode());
    }
}

TEST_F(ConfigTest, LoadTracesOnlyWhenThePreviousLoadSwitchedDebuggingOn) {
    env.clock.fix({2026, 1, 2, 3, 4, 5});
    writeConfig("<debug>True</debug>");
    store.loadConfigXML();
    EXPECT_TRUE(store.debugMode());
    EXPECT_FALSE(folder.exists("debug.log"));  // the first load never traces

    store.loadConfigXML();
    EXPECT_EQ(folder.read("debug.log"),
              "[2026/01/02 03:04:05] \tmodConfigXMLHandler\tloadConfigXML\tloadConfigXML\t0\t\t\r\n");
}

TEST_F(ConfigTest, LoadErrorsReachTheLogInDebugMode) {
    env.clock.fix({2026, 1, 2, 3, 4, 5});
    writeConfig("<debug>True</debug>");
    store.loadConfigXML();
    writeConfig("<debug>True</debug><deferred-delivery use=\"True\">x</deferred-delivery>");
    store.loadConfigXML();
    EXPECT_EQ(folder.read("debug.log"),
              "[2026/01/02 03:04:05] \tmodConfigXMLHandler\tloadConfigXML\tloadConfigXML\t0\t\t\r\n"
              "[2026/01/02 03:04:05] \tmodConfigXMLHandler\tloadConfigXML\tselectSingleNode(//deferred-delivery)\t"
              "13\tType mismatch\t\r\n");
}

TEST_F(ConfigTest, UnwritableLogDoesNotStopALoad) {
    writeConfig("<debug>True</debug>");
    store.loadConfigXML();
    std::filesystem::create_directory(folder / "debug.log");
    store.loadConfigXML();
    EXPECT_TRUE(store.configLoaded());
    ASSERT_EQ(env.messageBoxes.shown.size(), 1u);  // the trace failure is told once
    EXPECT_EQ(procedure(0), u"loadConfigXML");
}

}  // namespace
}  // namespace sw

namespace sw {
namespace {

using test::ConfigTest;

TEST_F(ConfigTest, BytesInvalidInTheDeclaredEncodingFailTheLoad) {
    folder.write("config.xml", "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><config><word>\x85\x40\xFF</word></config>");
    store.loadConfigXML();
    EXPECT_FALSE(store.configLoaded());
    folder.write("config.xml", "<?xml version=\"1.0\" encoding=\"no-such-charset\"?><config/>");
    store.loadConfigXML();
    EXPECT_FALSE(store.configLoaded());
    EXPECT_EQ(env.messageBoxes.shown.size(), 2u);
}

TEST_F(ConfigTest, ByteOrderMarksAreUnderstood) {
    folder.write("config.xml", "\xEF\xBB\xBF" + test::configXml("<body-check><word>極秘</word></body-check>"));
    store.loadConfigXML();
    EXPECT_EQ(store.entries(ConfigList::bodyCheckWords), (std::vector<std::u16string>{u"極秘"}));
    // UTF-16 little endian with its mark.
    std::string utf16 = "\xFF\xFE";
    for (char16_t c : std::u16string(u"<c><body-check><word>秘</word></body-check></c>")) {
        utf16.push_back(static_cast<char>(c & 0xFF));
        utf16.push_back(static_cast<char>(c >> 8));
    }
    folder.write("config.xml", utf16);
    store.loadConfigXML();
    ASSERT_TRUE(store.configLoaded());
    EXPECT_EQ(store.entries(ConfigList::bodyCheckWords), (std::vector<std::u16string>{u"秘"}));
}

}  // namespace
}  // namespace sw
