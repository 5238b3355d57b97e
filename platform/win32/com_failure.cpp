#include "win32/com_failure.h"

#include "win32/handles.h"

namespace sw::win {

std::u16string systemMessage(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
        reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::u16string text = length ? fromWide(buffer, length) : std::u16string();
    LocalFree(buffer);
    while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' ')) text.pop_back();
    return text;
}

Failure comFailure(HRESULT hr, std::u16string_view what) {
    std::u16string text = systemMessage(static_cast<DWORD>(hr));
    if (text.empty()) text = u"Failed: " + std::u16string(what);
    return Failure(static_cast<std::int32_t>(hr), std::move(text));
}

Failure dispatchFailure(HRESULT hr, EXCEPINFO& info, std::u16string_view what) {
    if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
    Bstr description, source, helpFile;
    *description.put() = info.bstrDescription;
    *source.put() = info.bstrSource;
    *helpFile.put() = info.bstrHelpFile;
    if (hr == DISP_E_EXCEPTION && FAILED(info.scode)) hr = info.scode;
    std::u16string text = description.text();
    if (text.empty()) return comFailure(hr, what);
    return Failure(static_cast<std::int32_t>(hr), std::move(text));
}

}  // namespace sw::win
