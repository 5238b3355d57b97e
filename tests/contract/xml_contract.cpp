// The configuration document: the same promises from the Linux document and MSXML.
#include "contract/ports.h"
#include "diagnostics/failure.h"
#include "support/config_text.h"
#include "support/temp_folder.h"
#include "text.h"

namespace sw::test {
namespace {

std::string utf16leText(const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    return bytes;
}

class XmlContract : public ::testing::TestWithParam<PortSet> {
protected:
    TempFolder folder;
    std::unique_ptr<xml::DocumentFactory> factory = GetParam().documents();
    xml::DocumentPtr doc = factory->createDocument();

    bool loadText(const std::string& bytes) {
        folder.write("config.xml", bytes);
        return doc->load(folder / "config.xml");
    }
    std::vector<std::u16string> texts(const std::u16string& pattern) {
        std::vector<std::u16string> out;
        const xml::NodeListPtr list = doc->getElementsByTagName(pattern);
        for (std::int32_t i = 0; i < list->length(); ++i) out.push_back(list->item(i)->text());
        return out;
    }
};

TEST_P(XmlContract, LoadsWhatIsWellFormedAndNothingElse) {
    struct Row {
        const char* comment;
        std::string bytes;
        bool loads;
        bool legacy = false;
    };
    const std::vector<Row> rows = {
        {"UTF-8 with Japanese text", configXml(standardInner), true},
        {"UTF-16 with its byte-order mark", utf16leText(u"<?xml version=\"1.0\" encoding=\"UTF-16\"?><config><debug>社外秘</debug></config>"), true},
        {"Shift_JIS as declared", "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><config>\x8E\xD0\x8A\x4F\x94\xE9</config>", true, true},
        {"an unclosed element", "<config><body-check></config>", false},
        {"an empty file", "", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.comment);
        if (row.legacy && GetParam().wineMsxml) continue;
        doc = factory->createDocument();
        EXPECT_EQ(loadText(row.bytes), row.loads);
    }
    EXPECT_FALSE(factory->createDocument()->load(folder / "absent.xml"));
}

// Strict on both platforms; a configuration file can never make the add-in read
// another file.
TEST_P(XmlContract, BrokenFilesAndFilesReachingOutNeverLoad) {
    for (const BrokenFile& file : brokenFiles()) {
        SCOPED_TRACE(file.why);
        if (GetParam().wineMsxml && std::string_view(file.why) == "an undeclared namespace prefix") continue;
        doc = factory->createDocument();
        EXPECT_FALSE(loadText(file.bytes));
    }
}

TEST_P(XmlContract, QueriesFindWhatTheStoreAsksFor) {
    ASSERT_TRUE(loadText(configXml(
        "<body-check><word> 社外秘 </word><word>極秘</word></body-check>"
        "<other><word>not a body word</word></other>"
        "<outer><deferred-delivery use=\"true\">7</deferred-delivery></outer>"
        "<deferred-delivery use=\"False\">9</deferred-delivery>")));
    // Only the words under the named parent, in document order, spaces kept.
    EXPECT_EQ(texts(u"body-check/word"), (std::vector<std::u16string>{u" 社外秘 ", u"極秘"}));
    EXPECT_EQ(texts(u"attachment-check/word").size(), 0u);
    // The first in document order, however deep.
    const xml::NodePtr deferred = doc->selectSingleNode(u"//deferred-delivery");
    ASSERT_TRUE(deferred);
    EXPECT_EQ(deferred->text(), u"7");
    EXPECT_EQ(deferred->attribute(u"use")->text(), u"true");
    EXPECT_EQ(deferred->attribute(u"missing"), nullptr);
    EXPECT_EQ(deferred->parentNode()->nodeName(), u"outer");
    EXPECT_EQ(doc->selectSingleNode(u"//absent"), nullptr);
    const xml::NodePtr root = doc->documentElement();
    EXPECT_EQ(root->nodeName(), u"config");
    EXPECT_EQ(root->selectSingleNode(u"body-check")->nodeName(), u"body-check");
    EXPECT_EQ(root->selectSingleNode(u"word"), nullptr);  // a child, not a descendant
    EXPECT_EQ(doc->getElementsByTagName(u"body-check/word")->item(2), nullptr);
}

TEST_P(XmlContract, EditsSurviveSaveAndReload) {
    ASSERT_TRUE(loadText(configXml(standardInner)));
    const xml::NodeListPtr words = doc->getElementsByTagName(u"body-check/word");
    const xml::NodePtr parent = doc->documentElement()->selectSingleNode(u"body-check");
    parent->removeChild(words->item(0));
    EXPECT_EQ(words->item(0)->parentNode(), nullptr);  // removed, still readable
    EXPECT_EQ(words->item(0)->text(), u"社外秘");
    const xml::NodePtr added = doc->createElement(u"word");
    added->setText(u"ﾃｽﾄ & <機密>");
    parent->appendChild(added);
    EXPECT_EQ(words->length(), 2);  // a list is taken when asked for
    doc->selectSingleNode(u"//deferred-delivery")->attribute(u"use")->setText(u"False");
    doc->save(folder / "saved.xml");

    const xml::DocumentPtr again = factory->createDocument();
    ASSERT_TRUE(again->load(folder / "saved.xml"));
    const xml::NodeListPtr reread = again->getElementsByTagName(u"body-check/word");
    ASSERT_EQ(reread->length(), 2);
    EXPECT_EQ(reread->item(0)->text(), u"極秘");
    EXPECT_EQ(reread->item(1)->text(), u"ﾃｽﾄ & <機密>");
    EXPECT_EQ(again->selectSingleNode(u"//deferred-delivery")->attribute(u"use")->text(), u"False");
    EXPECT_EQ(again->selectSingleNode(u"//debug")->text(), u"False");  // untouched content kept
    EXPECT_THROW(doc->save(folder / "none" / "saved.xml"), Failure);
}

INSTANTIATE_TEST_SUITE_P(Platform, XmlContract, ::testing::ValuesIn(platformPorts()), portName);

}  // namespace
}  // namespace sw::test
