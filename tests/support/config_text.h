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

}  // namespace sw::test
