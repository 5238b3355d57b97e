#pragma once
// Realistic configurations and mails of a given size, for benchmarks.
#include <string>

#include "sim/outlook/sim_item.h"
#include "text.h"
#include "support/config_fixture.h"
#include "support/check_fixture.h"

namespace sw::test {

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
