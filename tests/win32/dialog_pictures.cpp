// Sends a few mails through the add-in and saves a picture of each confirmation
// window as it stands on the screen, into the current folder (NAME.bmp).
#include <ole2.h>

#include <atomic>
#include <cstdio>

#include "support/config_text.h"
#include "ui/dialog/confirm_dialog.h"
#include "win32/addin_session.h"
#include "win32/dialog_reader.h"
#include "win32/screen_user.h"

namespace {
using namespace sw;

struct Picture {
    const char* name;
    sim::MailState mail;
};

sim::MailState mail(std::u16string subject, std::u16string body, std::vector<sim::RecipientState> to,
                    std::vector<sim::RecipientState> replyTo = {}) {
    sim::MailState m;
    m.subject = std::move(subject);
    m.body = std::move(body);
    m.recipients = std::move(to);
    m.replyRecipients = std::move(replyTo);
    return m;
}

const std::vector<sim::RecipientState> mixed = {
    {u"山田 太郎", u"yamada@example.co.jp", host::olTo},
    {u"John Smith", u"john.smith@unknown-example.com", host::olTo},
    {u"佐藤 花子", u"sato@partner.com", host::olCC},
    {u"鈴木 一郎", u"suzuki.ichiro@freemail.example.net", host::olBCC},
};

}  // namespace

int main() {
    using namespace sw::test::win;
    if (FAILED(OleInitialize(nullptr))) return 2;
    const Picture pictures[] = {
        {"dialog-unsafe-rows", mail(u"お見積りの件", u"いつもお世話になっております。", mixed)},
        {"dialog-warnings", mail(u"", u"社外秘の資料を添付します。", mixed,
                                 {{u"営業部 窓口", u"sales-desk@unknown-example.com", 0}})},
    };
    int failures = 0;
    {
        InstalledAddIn addIn(test::configXml(test::standardInner));
        for (const Picture& picture : pictures) {
            sim::SimApplication app;
            AddInSession session(app);
            std::atomic<bool> saved = false;
            ScreenUser user([&](HWND window) {
                Sleep(500);  // let it finish drawing
                saved = saveBitmap(window, std::string(picture.name) + ".bmp");
                press(controlWindow(window, ui::dialog::cmdCancel));
            });
            auto item = app.newItem(picture.mail);
            if (!session.connected() || !session.send(*item) || !saved) {
                std::fprintf(stderr, "%s: no picture\n", picture.name);
                ++failures;
            }
        }
    }
    OleUninitialize();
    return failures;
}
