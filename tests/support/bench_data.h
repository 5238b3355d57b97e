#pragma once
// Realistic configurations and mails of a given size, for benchmarks.
#include <string>

#include "sim/outlook/sim_item.h"
#include "text.h"
#include "support/config_fixture.h"
#include "support/check_fixture.h"

namespace sw::test {

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

// Recipients half inside the safe list; a Japanese body of about `bodyChars` units.
inline sim::MailState sizedMail(int recipients, std::size_t bodyChars) {
    sim::MailState m;
    m.subject = u"お見積りの件";
    for (int i = 0; i < recipients; ++i) {
        const std::string n = std::to_string(i);
        const std::string domain = i % 2 == 0 ? "client" + std::to_string(i * 3 + 1) + ".example.com" : "unknown" + n + ".example.org";
        m.recipients.push_back({u"宛先" + fromUtf8(n), fromUtf8("user" + n + "@" + domain), 1 + i % 3});
    }
    const std::u16string line = u"いつもお世話になっております。来週の打ち合わせの資料についてご連絡いたします。\r\n";
    while (m.body.size() < bodyChars) m.body += line;
    return m;
}

}  // namespace sw::test
