#pragma once
// HRESULTs and Win32 errors become the add-in's failure value at this edge: the
// HRESULT as the signed number, the host's or the system's text as the description.
#include <windows.h>
#include <oaidl.h>

#include <string>
#include <string_view>

#include "diagnostics/failure.h"

namespace sw::win {

// The system's text for an HRESULT or Win32 error code, without its line break;
// empty when the system has none.
std::u16string systemMessage(DWORD code);

// `what` names the failing call, used when the system has no text.
Failure comFailure(HRESULT hr, std::u16string_view what);
// Outlook's own number and text from an EXCEPINFO that Invoke filled in.
Failure dispatchFailure(HRESULT hr, EXCEPINFO& info, std::u16string_view what);

inline void check(HRESULT hr, std::u16string_view what) {
    if (FAILED(hr)) throw comFailure(hr, what);
}

}  // namespace sw::win
