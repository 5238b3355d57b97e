#pragma once
// A configuration store over a temporary add-in folder, and a settings window stand-in.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/sim_environment.h"
#include "support/report_text.h"
#include "support/temp_folder.h"

namespace sw::test {

struct FakeSettings : SettingsSource {
    std::vector<std::u16string> lists[3];
    std::u16string minutes = u"5";
    bool useDeferred = false;

    std::int32_t entryCount(int list) override { return static_cast<std::int32_t>(lists[list].size()); }
    std::u16string entry(int list, std::int32_t index) override { return lists[list].at(static_cast<std::size_t>(index)); }
    std::u16string minutesText() override { return minutes; }
    bool useDeferredDeliveryChecked() override { return useDeferred; }
};

inline std::string configXml(const std::string& inner) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<config>\n" + inner + "\n</config>\n";
}

inline const std::string standardInner =
    "<body-check><word>社外秘</word><word>極秘</word></body-check>\n"
    "<attachment-check><word>添付</word></attachment-check>\n"
    "<recipient-check><domain>example.co.jp</domain><domain>@partner.com</domain></recipient-check>\n"
    "<deferred-delivery use=\"True\">5</deferred-delivery>\n"
    "<debug>False</debug>";

// Files that are not well-formed XML, or that would need another file to be read:
// each must fail the load with the load-failure message.
struct BrokenFile {
    const char* why;
    std::string bytes;
};

inline std::string utf16le(const std::string& ascii) {
    std::string out = "\xFF\xFE";
    for (char c : ascii) out += std::string{c, '\0'};
    return out;
}

inline const std::vector<BrokenFile>& brokenFiles() {
    static const std::vector<BrokenFile> files = {
        {"two root elements", configXml(standardInner) + "<config/>"},
        {"an element after the root switching debugging on", configXml(standardInner) + "<debug>True</debug>"},
        {"text after the root", configXml(standardInner) + "trailing"},
        {"an undefined entity", configXml("<body-check><word>&nbsp;</word></body-check>")},
        {"a bare ampersand", configXml("<body-check><word>R&D</word></body-check>")},
        {"a duplicate attribute", configXml("<deferred-delivery use=\"True\" use=\"False\">5</deferred-delivery>")},
        {"a control character", configXml("<body-check><word>a\x01" "b</word></body-check>")},
        {"a reference to character 0", configXml("<body-check><word>ab&#0;cd</word></body-check>")},
        {"an XML declaration inside the root", "<config><?xml version=\"1.0\"?></config>"},
        {"a blank line before the XML declaration", "\n" + configXml(standardInner)},
        {"Shift_JIS bytes under the UTF-8 declaration", configXml("<body-check><word>\x8B\xC9\x94\xE9</word></body-check>")},
        {"UTF-16 under a Shift_JIS declaration", utf16le("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><config/>")},
        {"a UTF-8 byte order mark under a Shift_JIS declaration", "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><config/>"},
        {"an undeclared namespace prefix", configXml("<x:body-check/>")},
        {"an unclosed element", "<config><body-check>"},
        {"plain text", "not xml at all"},
        {"an empty file", ""},
        {"an external entity", "<!DOCTYPE config [<!ENTITY e SYSTEM \"file:///etc/hostname\">]><config>&e;</config>"},
        {"an external parameter entity",
         "<!DOCTYPE config [<!ENTITY % p SYSTEM \"file:///etc/hostname\"> %p;]><config/>"},
        {"an external DTD", "<!DOCTYPE config SYSTEM \"config.dtd\"><config/>"},
        {"an entity expansion bomb",
         "<!DOCTYPE config [<!ENTITY a \"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\">"
         "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
         "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\"><!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">"
         "<!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\">]><config><debug>&f;</debug></config>"},
    };
    return files;
}

class ConfigTest : public ::testing::Test {
protected:
    TempFolder folder;
    sim::SimEnvironment env{folder.path()};
    ConfigStore& store = env.config;

    void writeConfig(const std::string& inner) { folder.write("config.xml", configXml(inner)); }
    std::vector<std::u16string> boxTexts() const {
        std::vector<std::u16string> texts;
        for (const auto& m : env.messageBoxes.shown) texts.push_back(m.text);
        return texts;
    }
    std::u16string position(std::size_t n) const { return ReportReader{env.messageBoxes.shown}.position(n); }
    std::u16string procedure(std::size_t n) const { return ReportReader{env.messageBoxes.shown}.procedure(n); }
};

}  // namespace sw::test
