// From ItemSend to the confirmation window painting on the screen, with a
// 10,000-entry safe list and 100 words per list, as the user waits for it.
// Prints the median of ten sends in milliseconds.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "support/config_text.h"
#include "win32/addin_session.h"

namespace {

using Clock = std::chrono::steady_clock;
Clock::time_point painted;
HHOOK hook = nullptr;

// The recipients list starting its first paint ends the wait; the window is then
// closed (the send cancelled).
LRESULT CALLBACK afterMessage(int code, WPARAM wParam, LPARAM lParam) {
    const auto& m = *reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && m.message == WM_NOTIFY && painted == Clock::time_point{}) {
        const auto& draw = *reinterpret_cast<const NMCUSTOMDRAW*>(m.lParam);
        if (draw.hdr.code == static_cast<UINT>(NM_CUSTOMDRAW) && draw.dwDrawStage == CDDS_PREPAINT) {
            painted = Clock::now();
            PostMessageW(GetAncestor(m.hwnd, GA_ROOT), WM_CLOSE, 0, 0);
        }
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

}  // namespace

int main() {
    using namespace sw;
    using namespace sw::test::win;
    if (FAILED(OleInitialize(nullptr))) return 2;
    std::vector<double> times;
    {
        InstalledAddIn addIn(test::sizedConfig(10000, 100));
        sim::SimApplication app;
        AddInSession session(app);
        if (!session.connected()) return 3;
        hook = SetWindowsHookExW(WH_CALLWNDPROCRET, afterMessage, nullptr, GetCurrentThreadId());
        sim::MailState mail;
        mail.subject = u"お見積りの件";
        mail.body = u"いつもお世話になっております。";
        for (char16_t digit = u'0'; digit <= u'9'; ++digit)
            mail.recipients.push_back({std::u16string(u"宛先") + digit,
                                       std::u16string(u"user@client") + digit + u".example.com", 1 + digit % 3});
        for (int run = 0; run < 10; ++run) {
            painted = {};
            auto item = app.newItem(mail);
            const auto start = Clock::now();
            if (!session.send(*item) || painted == Clock::time_point{}) return 4;  // shown, then closed
            times.push_back(std::chrono::duration<double, std::milli>(painted - start).count());
        }
        UnhookWindowsHookEx(hook);
    }
    std::sort(times.begin(), times.end());
    std::printf("ItemSend to the confirmation window painting, 10,000 safe-list entries, 10 recipients: "
                "median %.1f ms (min %.1f, max %.1f)\n",
                times[5], times.front(), times.back());
    OleUninitialize();
    return 0;
}
