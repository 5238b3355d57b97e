// Sends a few mails through the add-in and saves a picture of each confirmation
// window as it stands on the screen, into the current folder (NAME.bmp).
#include <windows.h>
#include <commctrl.h>
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
    bool contextMenu = false;  // right-click the second row first
};

// A right press on a recipients row, as the mouse gives it; the menu opens at the pointer.
void rightClickRow(HWND window, int item) {
    HWND list = test::win::controlWindow(window, ui::dialog::fgdRecipients);
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&row));
    POINT at{row.left + 60, (row.top + row.bottom) / 2};
    POINT screen = at;
    ClientToScreen(list, &screen);
    SetCursorPos(screen.x, screen.y);
    PostMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
    PostMessageW(list, WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

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
        {"dialog-context-menu", mail(u"お見積りの件", u"いつもお世話になっております。", mixed), true},
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
                if (picture.contextMenu) rightClickRow(window, 1);
                Sleep(picture.contextMenu ? 500 : 0);
                saved = saveBitmap(window, std::string(picture.name) + ".bmp", picture.contextMenu ? 120 : 0);
                // Escape closes an open menu; the window itself ignores it.
                PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 1);
                Sleep(100);
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
