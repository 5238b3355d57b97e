#pragma once
// The checks over a loaded configuration and the substitute Outlook.
#include "checks/checks.h"
#include "sim/outlook/sim_outlook.h"
#include "support/config_fixture.h"

namespace sw::test {

struct RecordedWarnings : CheckWarnings {
    bool subject = false, body = false, attachment = false;
    void showCheckSubject() override { subject = true; }
    void showCheckBody() override { body = true; }
    void showCheckAttachment() override { attachment = true; }
};

class ChecksTest : public ConfigTest {
protected:
    sim::SimApplication app;
    Checks checks{env.diagnostics, store, env.clock};
    RecordedWarnings warnings;

    void configure(const std::vector<std::string>& safe, const std::vector<std::string>& bodyWords = {},
                   const std::vector<std::string>& attachmentWords = {}, int minutes = 5) {
        writeConfig(listXml("body-check", "word", bodyWords) + listXml("attachment-check", "word", attachmentWords) +
                    listXml("recipient-check", "domain", safe) + "<deferred-delivery use=\"True\">" +
                    std::to_string(minutes) + "</deferred-delivery>");
        store.loadConfigXML();
        ASSERT_TRUE(store.configLoaded());
    }
    bool isSafe(const std::u16string& address) {
        auto ns = app.getNamespace(u"MAPI");
        return checks.checkSafeDomain(address, *ns);
    }
    std::unique_ptr<sim::SimItem> mail(std::u16string subject, std::u16string body, int attachments = 0) {
        sim::MailState s;
        s.subject = std::move(subject);
        s.body = std::move(body);
        s.attachmentCount = attachments;
        return app.newItem(s);
    }
};

}  // namespace sw::test
