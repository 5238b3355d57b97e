#pragma once
// config.xml texts for tests, on every platform.
#include <string>
#include <vector>

namespace sw::test {

inline std::string configXml(const std::string& inner) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<config>\n" + inner + "\n</config>\n";
}

inline const std::string standardInner =
    "<body-check><word>社外秘</word><word>極秘</word></body-check>\n"
    "<attachment-check><word>添付</word></attachment-check>\n"
    "<recipient-check><domain>example.co.jp</domain><domain>@partner.com</domain></recipient-check>\n"
    "<deferred-delivery use=\"True\">5</deferred-delivery>\n"
    "<debug>False</debug>";

inline std::string listXml(const char* parent, const char* element, const std::vector<std::string>& entries) {
    std::string xml = std::string("<") + parent + ">";
    for (const auto& e : entries) xml += std::string("<") + element + ">" + e + "</" + element + ">";
    return xml + "</" + parent + ">";
}

inline std::string sizedConfig(int safeEntries, int wordsPerList, bool deferred = true) {
    std::vector<std::string> safe, body, attachment;
    for (int i = 0; i < safeEntries; ++i)
        safe.push_back(i % 3 == 0 ? "@partner" + std::to_string(i) + ".example.co.jp"
                                  : "client" + std::to_string(i) + ".example.com");
    for (int i = 0; i < wordsPerList; ++i) {
        body.push_back("社外秘" + std::to_string(i));
        attachment.push_back("添付資料" + std::to_string(i));
    }
    return configXml(listXml("body-check", "word", body) + listXml("attachment-check", "word", attachment) +
                     listXml("recipient-check", "domain", safe) + "<deferred-delivery use=\"" +
                     (deferred ? "True" : "False") + "\">5</deferred-delivery><debug>False</debug>");
}

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

}  // namespace sw::test
