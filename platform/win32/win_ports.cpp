#include "win32/win_ports.h"

#include <windows.h>
#include <shellapi.h>

#include "win32/com_failure.h"
#include "win32/handles.h"

namespace sw::win {

LocalDateTime WinClock::now() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

int WinMessageBoxes::show(const std::u16string& text, const std::u16string& title, int style) {
    const int answer = MessageBoxW(GetActiveWindow(), wide(text), wide(title), static_cast<UINT>(style));
    if (answer == 0) throw comFailure(HRESULT_FROM_WIN32(GetLastError()), u"MessageBoxW");
    return answer;
}

void WinShell::openUrl(const std::u16string& url) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", wide(url), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32) throw comFailure(HRESULT_FROM_WIN32(GetLastError()), u"ShellExecuteW");
}

}  // namespace sw::win
