// The settings window on the screen: opened from the Tools button, driven by a user
// at the screen (lists, entry editor, tabs, deferral, Apply, OK, Cancel, version
// window), and config.xml read back from disk afterwards. Last, the confirmation
// dialog's safe-list menu.
#include <gtest/gtest.h>

#include <mutex>

#include "support/config_text.h"
#include "ui/about/about_window.h"
#include "ui/dialog/confirm_dialog.h"
#include "ui/dialog/safe_list_addition.h"
#include "win32/addin_session.h"
#include "win32/dialog_reader.h"
#include "win32/screen_user.h"
#include "win32/settings_user.h"
#include "win32/views/native_controls.h"

namespace sw::test::win {
namespace {

// standardInner as written, and as the lists show and save it: sorted ignoring case.
const Saved untouched{{"社外秘", "極秘"}, {"添付"}, {"example.co.jp", "@partner.com"}, "True", "5"};
const Saved initial{{"極秘", "社外秘"}, {"添付"}, {"@partner.com", "example.co.jp"}, "True", "5"};

Saved with(std::function<void(Saved&)> change) {
    Saved s = initial;
    change(s);
    return s;
}

using Step = std::function<void(SettingsUser&)>;

const std::u16string addTitles[] = {u"本文チェック語句の追加", u"添付漏れチェック語句の追加", u"アドレスまたはドメインの追加"};
const std::u16string editTitles[] = {u"本文チェック語句の編集", u"添付漏れチェック語句の編集", u"アドレスまたはドメインの編集"};

// Presses Add, or its access key Alt+A.
Step add(int list, std::u16string text, bool altA = false) {
    return [=](SettingsUser& u) {
        u.tab(list);
        if (altA) u.keys({VK_MENU, 'A'});
        else u.press(u.at(S::cmdAdd0 + list));
        HWND e = u.editor(addTitles[list], u"");
        u.editorOk(e, text);
        u.closed(e);
    };
}

// Selects the row, presses Edit and OK; or double-clicks it and ends with Enter.
Step edit(int list, int row, std::u16string was, std::u16string text, bool byKeys = false) {
    return [=](SettingsUser& u) {
        u.tab(list);
        u.selectRow(list, row, byKeys);
        if (!byKeys) u.press(u.at(S::cmdEdit0 + list));
        HWND e = u.editor(editTitles[list], was);
        u.editorOk(e, text, byKeys);
        u.closed(e);
    };
}

Step remove(int list, int row) {
    return [=](SettingsUser& u) {
        u.tab(list);
        u.selectRow(list, row);
        u.press(u.at(S::cmdDelete0 + list));
        HWND box = u.at(S::lstWord0 + list);
        const LRESULT count = SendMessageW(box, LB_GETCOUNT, 0, 0);
        u.answerBox(IDYES);
        u.expect([&] { return SendMessageW(box, LB_GETCOUNT, 0, 0) == count - 1; }, "the row stayed");
    };
}

// An entry already there: warned, the editor stays with its text selected, then cancelled.
Step duplicate(int list, std::u16string text) {
    return [=](SettingsUser& u) {
        u.tab(list);
        u.press(u.at(S::cmdAdd0 + list));
        HWND e = u.editor(addTitles[list], u"");
        u.editorOk(e, text);
        u.answerBox(IDOK);
        u.expect([&] { return IsWindowVisible(e) && IsWindowEnabled(e); }, "the editor closed on a duplicate");
        u.expect([&] {
            DWORD from = 1, to = 0;
            SendMessageW(u.control(e, E::txtEdit), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
            return from == 0 && to == text.size();
        }, "the duplicate was not selected");
        u.keys({VK_ESCAPE});  // bound to no button here
        Sleep(100);
        if (!IsWindowVisible(e)) u.problem("Escape closed the editor");
        u.press(u.control(e, E::cmdCancel));
        u.closed(e);
    };
}

// What each tab's tooltip asks the window for, as the tooltip control asks it.
Step tooltips(std::vector<std::u16string> expected) {
    return [=](SettingsUser& u) {
        HWND strip = u.at(S::tbsOptions);
        HWND tips = reinterpret_cast<HWND>(SendMessageW(strip, TCM_GETTOOLTIPS, 0, 0));
        for (std::size_t i = 0; i < expected.size(); ++i) {
            NMTTDISPINFOW info{};
            info.hdr = {tips, i, static_cast<UINT>(TTN_GETDISPINFOW)};
            SendMessageW(GetParent(strip), WM_NOTIFY, i, reinterpret_cast<LPARAM>(&info));
            if (!info.lpszText || reinterpret_cast<const char16_t*>(info.lpszText) != expected[i])
                u.problem("tooltip " + std::to_string(i));
        }
    };
}

Step ctrlTabTo(int expected) {
    return [=](SettingsUser& u) {
        u.keys({VK_CONTROL, VK_TAB});
        u.expect([&] { return u.shownOnTab(expected); }, "Ctrl+Tab did not reach tab " + std::to_string(expected));
    };
}

// Presses the up-down's upper or lower arrow `times` times.
Step spin(int times, bool up) {
    return [=](SettingsUser& u) {
        u.tab(3);
        HWND arrows = u.at(S::updDeferredTime);
        RECT r;
        GetClientRect(arrows, &r);
        for (int i = 0; i < times; ++i) {
            const std::u16string before = textOf(u.at(S::txtDeferredTime));
            u.clickAt(arrows, {r.right / 2, up ? r.bottom / 4 : r.bottom * 3 / 4});
            u.expect([&] { return textOf(u.at(S::txtDeferredTime)) != before; }, "the minutes did not change");
        }
    };
}

// Keys typed into the minutes field: the field takes none, only the spinner writes it.
Step typeMinutes(std::u16string keys) {
    return [=](SettingsUser& u) {
        u.tab(3);
        HWND field = u.at(S::txtDeferredTime);
        const std::u16string before = textOf(field);
        for (char16_t c : keys) SendMessageW(field, WM_CHAR, c, 1);
        if (textOf(field) != before) u.problem("the minutes field took typing");
    };
}

Step tickDeferral() {
    return [](SettingsUser& u) {
        u.tab(3);
        const bool was = IsWindowEnabled(u.at(S::txtDeferredTime));
        u.press(u.at(S::chkUseDeferredDelivery));
        u.expect([&] { return IsWindowEnabled(u.at(S::txtDeferredTime)) != was; }, "the minutes kept their state");
    };
}

Step apply() {
    return [](SettingsUser& u) {
        u.press(u.at(S::cmdApply));
        u.expect([&] { return !IsWindowEnabled(u.at(S::cmdApply)); }, "Apply stayed enabled");
    };
}

Step button(ui::ControlId id) {
    return [=](SettingsUser& u) {
        u.press(u.at(id));
        u.closed(u.settings());
    };
}

// Keys or the close box that end the window.
Step closing(std::vector<WORD> chord) {
    return [=](SettingsUser& u) {
        if (chord.empty()) PostMessageW(u.settings(), WM_SYSCOMMAND, SC_CLOSE, 0);
        else u.keys(chord);
        u.closed(u.settings());
    };
}

// Help > Version: the version window, its version the DLL's own, closed by its OK.
Step versionWindow(std::u16string version) {
    return [=](SettingsUser& u) {
        PostMessageW(u.settings(), WM_COMMAND, MAKEWPARAM(sw::win::nativeId(S::mnuVersion), 0), 0);
        HWND about = u.topWindow(u.settings());
        if (textOf(about) != u"バージョン情報") u.problem("the version window's title");
        if (textOf(u.control(about, ui::AboutWindow::lblVersion)) != version) u.problem("the version shown");
        u.press(u.control(about, ui::AboutWindow::cmdOK));
        u.closed(about);
        u.expect([&] { return IsWindowEnabled(u.settings()); }, "the settings window stayed disabled");
    };
}

std::u16string dllVersion(const std::filesystem::path& dll) {
    DWORD ignored = 0;
    std::vector<char> data(GetFileVersionInfoSizeW(dll.c_str(), &ignored));
    VS_FIXEDFILEINFO* info = nullptr;
    UINT size = 0;
    if (data.empty() || !GetFileVersionInfoW(dll.c_str(), 0, static_cast<DWORD>(data.size()), data.data()) ||
        !VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &size))
        return u"(no version resource)";
    auto n = [](DWORD v) { return std::u16string(reinterpret_cast<const char16_t*>(std::to_wstring(v).c_str())); };
    return u"Version " + n(HIWORD(info->dwFileVersionMS)) + u"." + n(LOWORD(info->dwFileVersionMS)) + u"." +
           n(HIWORD(info->dwFileVersionLS));
}

struct SettingsScenario {
    const char* comment;
    std::vector<Step> steps;
    Saved saved;
    std::vector<std::u16string> boxes = {};
};

const SettingsScenario settingsScenarios[] = {
    {"adding a body word, OK saves it in its sorted place", {add(0, u"機密"), button(S::cmdOK)},
     with([](Saved& s) { s.body = {"極秘", "機密", "社外秘"}; })},
    {"adding an attachment word by Alt+A and an address, Enter presses OK",
     {add(1, u"別添", true), add(2, u"Taro@Example.com"), closing({VK_RETURN})},
     with([](Saved& s) {
         s.attachment = {"別添", "添付"};
         s.safe = {"@partner.com", "example.co.jp", "Taro@Example.com"};
     })},
    {"editing with the Edit button and by double-click and Enter", {edit(0, 1, u"社外秘", u"部外秘"),
      edit(2, 1, u"example.co.jp", u"example.jp", true), button(S::cmdOK)},
     with([](Saved& s) {
         s.body = {"極秘", "部外秘"};
         s.safe = {"@partner.com", "example.jp"};
     })},
    {"deleting after the question, one from each list", {remove(0, 0), remove(1, 0), remove(2, 1), button(S::cmdOK)},
     with([](Saved& s) {
         s.body = {"社外秘"};
         s.attachment = {};
         s.safe = {"@partner.com"};
     }),
     std::vector<std::u16string>(3, S::deleteQuestion)},
    {"a duplicate is refused with a warning and nothing changes", {duplicate(0, u"極秘"), duplicate(2, u"@partner.com"),
      button(S::cmdOK)}, initial, std::vector<std::u16string>(2, E::duplicateWarning)},
    {"Ctrl+Tab steps through the tabs and wraps, Ctrl+F4 closes and saves; the tabs' tooltips",
     {tooltips({u"メール本文のチェック対象とする文言を設定します。",
                u"ファイル添付漏れのチェック対象とするメール本文の文言を設定します。",
                u"宛先確認ダイアログで強調表示しないメールアドレスを設定します。", u"遅延配信の時間を設定します。"}),
      ctrlTabTo(1), ctrlTabTo(2), ctrlTabTo(3), ctrlTabTo(0), ctrlTabTo(1), spin(2, true), closing({VK_CONTROL, VK_F4})},
     with([](Saved& s) { s.minutes = "7"; })},
    {"the deferral switched off and shortened", {spin(3, false), typeMinutes(u"12x"), tickDeferral(), button(S::cmdOK)},
     with([](Saved& s) {
         s.use = "False";
         s.minutes = "2";
     })},
    {"Apply saves at once; Cancel then drops only what came after",
     {add(0, u"機密"), apply(), add(0, u"取扱注意"), button(S::cmdCancel)},
     with([](Saved& s) { s.body = {"極秘", "機密", "社外秘"}; })},
    {"Cancel saves nothing", {add(1, u"別添"), spin(1, true), button(S::cmdCancel)}, untouched},
    {"Escape presses キャンセル", {add(0, u"機密"), closing({VK_ESCAPE})}, untouched},
    {"the close box saves nothing", {remove(0, 0), tickDeferral(), closing({})}, untouched,
     {S::deleteQuestion}},
    {"the version window from the Help menu", {}, untouched},  // the steps are set per run below
};

void PrintTo(const SettingsScenario& s, std::ostream* out) { *out << s.comment; }

class SettingsScenarios : public ::testing::TestWithParam<SettingsScenario> {};

TEST_P(SettingsScenarios, ToolsButton) {
    SettingsScenario s = GetParam();
    InstalledAddIn addIn(configXml(standardInner));
    if (s.steps.empty()) s.steps = {versionWindow(dllVersion(addIn.folder() / "Sendwarden.dll")), button(S::cmdCancel)};
    std::mutex mutex;
    std::vector<std::string> problems;
    std::vector<std::u16string> boxes;
    bool seen = false;
    {
        ScreenUser user([&](HWND window) {
            SettingsUser u(window);
            if (textOf(window) != u"Sendwardenの設定") u.problem("the settings window's title");
            try {
                for (const Step& step : s.steps) step(u);
            } catch (const Stuck&) {
                u.closeAll();
            }
            std::lock_guard lock(mutex);
            seen = true;
            problems = u.problems;
            boxes = u.boxes;
        });
        sim::SimApplication app;
        AddInSession session(app);
        ASSERT_TRUE(session.connected());
        ASSERT_EQ(app.toolsControlCount(), 1u);
        app.clickButton(0);  // returns when the window has closed
    }
    std::lock_guard lock(mutex);
    EXPECT_TRUE(seen);
    EXPECT_EQ(problems, std::vector<std::string>{});
    EXPECT_EQ(boxes, s.boxes);
    EXPECT_EQ(readSaved(addIn.folder() / "config.xml"), s.saved);
}

INSTANTIATE_TEST_SUITE_P(Settings, SettingsScenarios, ::testing::ValuesIn(settingsScenarios));

// In the confirmation dialog: a right press on the unsafe row, "宛先セーフリストに追加"
// chosen from the menu; the row turns black, the file holds the address, the send
// is still the user's to cancel.
TEST(SafeListMenu, AddsTheUnsafeRecipient) {
    InstalledAddIn addIn(configXml(standardInner));
    std::mutex mutex;
    std::vector<std::string> problems;
    std::vector<std::u16string> boxes;
    std::vector<COLORREF> before, after;
    {
        ScreenUser user([&](HWND window) {
            WindowDriver u(window);
            try {
                HWND list = u.control(window, ui::dialog::fgdRecipients);
                auto rowMiddle = [&](int item) {
                    RECT r{LVIR_BOUNDS};
                    SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
                    return POINT{r.left + 60, (r.top + r.bottom) / 2};
                };
                const std::vector<COLORREF> first = readGrid(list).colours.at(1);
                u.rightClickAt(list, rowMiddle(1));
                HWND menu = nullptr;
                u.expect([&] { return (menu = FindWindowW(L"#32768", nullptr)) && IsWindowVisible(menu); }, "no menu");
                wchar_t item[64] = {};
                GetMenuStringW(reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0)), 0, item, 64, MF_BYPOSITION);
                if (std::u16string(reinterpret_cast<const char16_t*>(item)) != u"宛先セーフリストに追加")
                    u.problem("the menu item");
                PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 1);
                PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 1);
                u.answerBox(IDOK);
                u.clickAt(list, rowMiddle(0));  // the row is seen in its colour once unselected
                u.expect([&] { return SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED) == 0; },
                         "row 0 not selected");
                std::lock_guard lock(mutex);
                before = first;
                after = readGrid(list).colours.at(1);
                u.press(u.control(window, ui::dialog::cmdCancel));
            } catch (const Stuck&) {
                u.closeAll();
            }
            std::lock_guard lock(mutex);
            problems = u.problems;
            boxes = u.boxes;
        });
        sim::SimApplication app;
        AddInSession session(app);
        ASSERT_TRUE(session.connected());
        sim::MailState m;
        m.subject = u"お見積りの件";
        m.body = u"よろしくお願いいたします。";
        m.recipients = {{u"山田", u"yamada@example.co.jp", host::olTo}, {u"Outsider", u"x@elsewhere.com", host::olCC}};
        EXPECT_TRUE(session.send(*app.newItem(m)));  // cancelled
    }
    std::lock_guard lock(mutex);
    EXPECT_EQ(problems, std::vector<std::string>{});
    EXPECT_EQ(boxes, std::vector<std::u16string>{ui::safeListAddedMessage});
    EXPECT_EQ(before, std::vector<COLORREF>(3, RGB(255, 0, 0)));
    EXPECT_EQ(after, std::vector<COLORREF>(3, RGB(0, 0, 0)));
    EXPECT_EQ(readSaved(addIn.folder() / "config.xml"),
              with([](Saved& s) { s.safe = {"@partner.com", "example.co.jp", "x@elsewhere.com"}; }));
}

}  // namespace
}  // namespace sw::test::win
