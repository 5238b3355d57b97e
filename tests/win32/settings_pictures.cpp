// Opens the settings from the Tools button and saves a picture of each tab, of the
// entry editor adding and editing, and of the version window, into the current
// folder (NAME.bmp).
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <cstdio>

#include "support/config_text.h"
#include "ui/about/about_window.h"
#include "ui/settings/entry_editor.h"
#include "ui/settings/settings_window.h"
#include "win32/addin_session.h"
#include "win32/dialog_reader.h"
#include "win32/screen_user.h"
#include "win32/views/native_controls.h"
#include "win32/window_driver.h"

namespace {
using namespace sw;
using namespace sw::test::win;
using S = ui::SettingsWindow;
using E = ui::EntryEditor;

const std::string config = test::configXml(
    "<body-check><word>社外秘</word><word>極秘</word><word>取扱注意</word><word>部外秘</word></body-check>\n"
    "<attachment-check><word>添付</word><word>送付</word><word>別添</word></attachment-check>\n"
    "<recipient-check><domain>example.co.jp</domain><domain>@partner.com</domain>"
    "<domain>taro@example.com</domain></recipient-check>\n"
    "<deferred-delivery use=\"True\">5</deferred-delivery>\n<debug>False</debug>");

void settle() { Sleep(400); }

void picture(WindowDriver& u, HWND window, const char* name) {
    settle();
    if (!saveBitmap(window, std::string(name) + ".bmp")) u.problem(name);
}

void showTab(WindowDriver& u, int tab) {
    HWND strip = u.control(u.first(), S::tbsOptions);
    RECT r{};
    SendMessageW(strip, TCM_GETITEMRECT, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&r));
    u.clickAt(strip, {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    u.expect([&] { return SendMessageW(strip, TCM_GETCURSEL, 0, 0) == tab; }, "the tab did not come up");
}

void editorPictures(WindowDriver& u) {
    HWND settings = u.first();
    showTab(u, 0);
    u.press(u.control(settings, S::cmdAdd0));
    HWND editor = u.topWindow(settings);
    u.typeText(u.control(editor, E::txtEdit), u"機密");
    picture(u, editor, "settings-editor-add");
    u.press(u.control(editor, E::cmdCancel));
    u.waitFor([&] { return !IsWindowVisible(editor); });

    showTab(u, 2);
    HWND list = u.control(settings, S::lstWord2);
    RECT row{};
    SendMessageW(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
    u.clickAt(list, {(row.left + row.right) / 2, (row.top + row.bottom) / 2});
    u.expect([&] { return IsWindowEnabled(u.control(settings, S::cmdEdit2)); }, "no row selected");
    u.press(u.control(settings, S::cmdEdit2));
    editor = u.topWindow(settings);
    picture(u, editor, "settings-editor-edit");
    u.press(u.control(editor, E::cmdCancel));
    u.waitFor([&] { return !IsWindowVisible(editor); });
}

}  // namespace

int main() {
    if (FAILED(OleInitialize(nullptr))) return 2;
    std::vector<std::string> problems;
    {
        InstalledAddIn addIn(config);
        ScreenUser user([&](HWND window) {
            WindowDriver u(window);
            try {
                const char* names[] = {"settings-body", "settings-attachment", "settings-safe-list", "settings-deferral"};
                for (int tab = 0; tab < S::tabCount; ++tab) {
                    showTab(u, tab);
                    picture(u, window, names[tab]);
                }
                editorPictures(u);
                PostMessageW(window, WM_COMMAND, MAKEWPARAM(win::nativeId(S::mnuVersion), 0), 0);
                HWND about = u.topWindow(window);
                picture(u, about, "about");
                u.press(u.control(about, ui::AboutWindow::cmdOK));
                u.waitFor([&] { return !IsWindowVisible(about); });
                u.press(u.control(window, S::cmdCancel));
            } catch (const Stuck&) {
                u.closeAll();
            }
            problems = u.problems;
        });
        sim::SimApplication app;
        AddInSession session(app);
        if (!session.connected() || app.toolsControlCount() != 1) problems.push_back("no Tools button");
        else app.clickButton(0);
    }
    for (const std::string& p : problems) std::fprintf(stderr, "no picture: %s\n", p.c_str());
    OleUninitialize();
    return problems.empty() ? 0 : 1;
}
