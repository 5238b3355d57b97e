// The confirmation window on the screen: the add-in DLL shows it through its native
// view on every send, and a user at the screen reads it and answers it.
#include <gtest/gtest.h>

#include <cstdio>
#include <mutex>

#include "datetime.h"
#include "diagnostics/hresult.h"
#include "support/config_text.h"
#include "ui/dialog/confirm_dialog.h"
#include "win32/addin_session.h"
#include "win32/dialog_reader.h"
#include "win32/screen_user.h"

namespace sw::test::win {
namespace {
using namespace ui::dialog;

constexpr COLORREF black = RGB(0, 0, 0), red = RGB(255, 0, 0);

// What the user read in the window before answering it.
struct Seen {
    std::u16string title, prompt;
    GridSeen recipients, replyTo;
    bool replyShown = false, boxShown = false, boxTicked = false;
    std::vector<std::u16string> warnings;  // attachment, subject, body
    std::vector<COLORREF> warningColours;
    std::u16string link, linkClass;
    COLORREF linkColour = 0;
    bool linkTakesFocus = false;
};

COLORREF labelColour(HWND label) {
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageW(GetParent(label), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label));
    const COLORREF colour = GetTextColor(dc);
    DeleteDC(dc);
    return colour;
}

Seen read(HWND window) {
    Seen s;
    s.title = textOf(window);
    s.prompt = textOf(controlWindow(window, lblMessage));
    s.recipients = readGrid(controlWindow(window, fgdRecipients));
    s.replyShown = shown(controlWindow(window, fgdReplyRecipients));
    if (s.replyShown) s.replyTo = readGrid(controlWindow(window, fgdReplyRecipients));
    HWND box = controlWindow(window, chkNotDeferred);
    s.boxShown = shown(box);
    s.boxTicked = SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
    HWND link = controlWindow(window, llbAmazon);
    s.link = textOf(link);
    wchar_t className[64] = {};
    GetClassNameW(link, className, 64);
    s.linkClass = reinterpret_cast<const char16_t*>(className);
    s.linkColour = static_cast<COLORREF>(GetWindowLongPtrW(link, 0));
    s.linkTakesFocus = (GetWindowLongW(link, GWL_STYLE) & WS_TABSTOP) != 0;
    for (ui::ControlId label : {lblCheckAttachment, lblCheckSubject, lblCheckBody}) {
        s.warnings.push_back(textOf(controlWindow(window, label)));
        s.warningColours.push_back(labelColour(controlWindow(window, label)));
    }
    return s;
}

void postKey(HWND target, UINT message, WPARAM key) {
    const LPARAM altDown = message == WM_SYSKEYDOWN ? (1 << 29) : 0;
    PostMessageW(target, message, key, 1 | altDown);
}

void waitUntil(const std::function<bool()>& condition) {
    for (int i = 0; i < 200 && !condition(); ++i) Sleep(10);
}

enum class Act { ok, cancel, close, enter, altC, escapeThenOk, tickThenOk };

void answer(HWND window, Act act) {
    HWND ok = controlWindow(window, cmdOK);
    switch (act) {
        case Act::ok: return press(ok);
        case Act::cancel: return press(controlWindow(window, cmdCancel));
        case Act::close: PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); return;
        case Act::enter: return postKey(ok, WM_KEYDOWN, VK_RETURN);
        case Act::altC: return postKey(ok, WM_SYSKEYDOWN, 'C');
        case Act::escapeThenOk:
            postKey(ok, WM_KEYDOWN, VK_ESCAPE);
            Sleep(100);
            if (IsWindowVisible(window)) press(ok);  // still open: Escape is bound to nothing
            return;
        case Act::tickThenOk: {
            HWND box = controlWindow(window, chkNotDeferred);
            press(box);
            waitUntil([&] { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; });
            return press(ok);
        }
    }
}

sim::MailState mail() {
    sim::MailState m;
    m.subject = u"お見積りの件";
    m.body = u"よろしくお願いいたします。";
    m.recipients = {{u"山田", u"yamada@example.co.jp", host::olTo}, {u"Outsider", u"x@elsewhere.com", host::olCC}};
    return m;
}

struct Row {
    std::u16string type, address;
    COLORREF colour;
};

struct DialogScenario {
    const char* comment;
    bool deferral = true;  // the configuration defers sending
    sim::MailState mail = test::win::mail();
    std::function<void(sim::SimApplication&)> arrange = {};
    Act act = Act::ok;
    // What follows.
    bool cancel = false;
    bool deferred = false;  // the item leaves with a delivery time
    bool dialogShown = true;
    std::vector<Row> rows = {{u"TO", u"yamada@example.co.jp", black}, {u"CC", u"x@elsewhere.com", red}};
    std::vector<Row> replyRows = {};  // empty: the Reply-To grid is hidden
    std::vector<std::u16string> warnings = {u"", u"", u""};
    bool boxShown = true, boxTicked = false;
    std::vector<std::u16string> boxParts = {};  // a text each message box must contain, in order
};

void expectRows(const GridSeen& grid, const std::vector<Row>& rows) {
    EXPECT_EQ(grid.header, (std::vector<std::u16string>{u"種類", u"名前", u"アドレス"}));
    ASSERT_EQ(grid.rows.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(grid.rows[i][0], rows[i].type) << i;
        EXPECT_EQ(grid.rows[i][2], rows[i].address) << i;
        EXPECT_EQ(grid.colours[i], std::vector<COLORREF>(3, rows[i].colour)) << i;  // the whole row in one colour
    }
}

class DialogScenarios : public ::testing::TestWithParam<DialogScenario> {};

TEST_P(DialogScenarios, Send) {
    const DialogScenario& s = GetParam();
    std::string config = configXml(standardInner);
    if (!s.deferral) config.replace(config.find("use=\"True\""), 10, "use=\"False\"");
    InstalledAddIn addIn(config);
    std::mutex mutex;
    std::optional<Seen> seen;
    std::vector<SeenBox> boxes;
    {
        // At the screen before Outlook starts: a message box may come at any step.
        ScreenUser user([&](HWND window) {
            Seen now = read(window);
            {
                std::lock_guard lock(mutex);
                seen = std::move(now);
            }
            answer(window, s.act);
            // A key or click the window ignored fails the scenario instead of hanging it.
            waitUntil([&] { return !IsWindowVisible(window); });
            if (IsWindowVisible(window)) PostMessageW(window, WM_CLOSE, 0, 0);
        });
        sim::SimApplication app;
        if (s.arrange) s.arrange(app);
        AddInSession session(app);
        ASSERT_TRUE(session.connected());
        auto item = app.newItem(s.mail);
        EXPECT_EQ(session.send(*item), s.cancel);
        EXPECT_EQ(item->state().deferredDeliveryTime != notDeferred, s.deferred);
        boxes = user.boxes();
    }
    ASSERT_EQ(seen.has_value(), s.dialogShown);
    ASSERT_EQ(boxes.size(), s.boxParts.size());
    for (std::size_t i = 0; i < boxes.size(); ++i) EXPECT_NE(boxes[i].text.find(s.boxParts[i]), std::u16string::npos) << i;
    if (!seen) return;
    EXPECT_EQ(seen->title, u"宛先確認");
    EXPECT_EQ(seen->prompt, u"以下の宛先に送信します。\r\nよろしいですか？");
    expectRows(seen->recipients, s.rows);
    EXPECT_EQ(seen->replyShown, !s.replyRows.empty());
    if (!s.replyRows.empty()) expectRows(seen->replyTo, s.replyRows);
    EXPECT_EQ(seen->warnings, s.warnings);
    EXPECT_EQ(seen->warningColours, std::vector<COLORREF>(3, red));
    EXPECT_EQ(seen->link, u"Amazonで買い物");
    EXPECT_EQ(seen->linkClass, u"SendwardenLink");
    EXPECT_EQ(seen->linkColour, RGB(0, 0, 255));
    EXPECT_TRUE(seen->linkTakesFocus);
    EXPECT_EQ(seen->boxShown, s.boxShown);
    EXPECT_EQ(seen->boxTicked, s.boxTicked);
}

sim::MailState withWarnings() {
    sim::MailState m = mail();
    m.subject.clear();
    m.body = u"社外秘の資料を添付します。";
    return m;
}

sim::MailState withReplyTo() {
    sim::MailState m = mail();
    m.replyRecipients = {{u"窓口", u"desk@elsewhere.com", 0}};
    return m;
}

const DialogScenario scenarios[] = {
    {.comment = "OK sends, deferred; safe To black, outside Cc red", .deferred = true},
    {.comment = "Cancel stops the send", .act = Act::cancel, .cancel = true},
    {.comment = "closing the window stops the send", .act = Act::close, .cancel = true},
    {.comment = "Enter at once presses OK, which holds the focus", .act = Act::enter, .deferred = true},
    {.comment = "Alt+C presses Cancel", .act = Act::altC, .cancel = true},
    {.comment = "Escape is bound to no button", .act = Act::escapeThenOk, .deferred = true},
    {.comment = "ticking 'send immediately' sends without deferral", .act = Act::tickThenOk},
    {.comment = "deferral off: the box hidden and ticked, nothing deferred", .deferral = false, .boxShown = false,
     .boxTicked = true},
    {.comment = "the three warnings, each on its line",
     .mail = withWarnings(), .deferred = true,
     .warnings = {u"※ファイルの添付漏れの可能性があります。", u"※件名が空です。", u"※本文に取扱注意の語句が含まれています。"}},
    {.comment = "Reply-To addresses in their own grid, black even outside the safe list",
     .mail = withReplyTo(), .deferred = true, .replyRows = {{u"Reply-TO", u"desk@elsewhere.com", black}}},
    {.comment = "a failing recipient address: reported, the rows before it stay, the window still shows",
     .arrange = [](sim::SimApplication& a) { a.faults().failNext("Recipient.Address", hresult::eFail, u"読めません。"); },
     .act = Act::cancel, .cancel = true, .rows = {{u"", u"", black}, {u"", u"", black}},
     .boxParts = {u"-2147467259 読めません。\r\n[発生箇所]\r\nモジュール名：frmDialog\r\n処理名：setRecipientsData"}},
    {.comment = "the delivery time failing after OK: reported, the mail leaves undeferred",
     .arrange = [](sim::SimApplication& a) {
         a.faults().failNext("Item.DeferredDeliveryTime.Set", hresult::eAccessDenied, u"設定できません。");
     },
     .boxParts = {u"設定できません。\r\n[発生箇所]\r\nモジュール名：modMain\r\n処理名：setDeferredDeliveryTime"}},
    {.comment = "the Reply-To list failing to read: reported, the send stopped before any window",
     .arrange = [](sim::SimApplication& a) { a.faults().failNext("Item.ReplyRecipients", hresult::eFail, u"読めません。"); },
     .cancel = true, .dialogShown = false,
     .boxParts = {u"読めません。\r\n[発生箇所]\r\nモジュール名：dsrOutlook2003\r\n処理名：objApp_ItemSend"}},
};

INSTANTIATE_TEST_SUITE_P(Dialog, DialogScenarios, ::testing::ValuesIn(scenarios));

}  // namespace
}  // namespace sw::test::win

namespace sw::test::win {
namespace {

BOOL CALLBACK countWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

struct Counts {
    DWORD gdi, user;
    int windows;  // the thread's top-level windows
};

Counts counts() {
    Counts c{GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), 0};
    EnumThreadWindows(GetCurrentThreadId(), countWindow, reinterpret_cast<LPARAM>(&c.windows));
    return c;
}

// Each window takes its controls, fonts and menus with it: a hundred sends leave
// the process's object counts where the first left them.
TEST(DialogResources, HundredSendsLeaveNoObjectsBehind) {
    InstalledAddIn addIn(configXml(standardInner));
    ScreenUser user([](HWND window) { press(controlWindow(window, cmdOK)); });
    sim::SimApplication app;
    AddInSession session(app);
    ASSERT_TRUE(session.connected());
    auto sendOne = [&] { EXPECT_FALSE(session.send(*app.newItem(withReplyTo()))); };
    sendOne();  // the first window registers classes and loads shared icons and cursors
    const Counts before = counts();
    for (int i = 0; i < 100; ++i) sendOne();
    const Counts after = counts();
    std::printf("GDI objects %lu -> %lu, USER objects %lu -> %lu, windows %d -> %d after 100 sends\n",
                before.gdi, after.gdi, before.user, after.user, before.windows, after.windows);
    EXPECT_EQ(after.windows, before.windows);
    // Wine answers 0 for both counts; Windows counts them.
    if (before.gdi == 0) GTEST_SKIP() << "this system does not count GDI and USER objects";
    EXPECT_LE(after.gdi, before.gdi + 4);
    EXPECT_LE(after.user, before.user + 4);
}

}  // namespace
}  // namespace sw::test::win
