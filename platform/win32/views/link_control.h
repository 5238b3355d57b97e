#pragma once
// The link label's native window: a class of the DLL's own that draws its text
// underlined in the link colour, shows the hand cursor, takes the focus and tells
// its parent of clicks as a button does (WM_COMMAND, BN_CLICKED / BN_DOUBLECLICKED).
#include <windows.h>

namespace sw::win {

inline constexpr wchar_t linkClassName[] = L"SendwardenLink";

bool registerLinkClass(HINSTANCE module);
void unregisterLinkClass(HINSTANCE module);

// The text colour (COLORREF); WM_SETFONT and WM_SETTEXT set the rest.
void setLinkColour(HWND link, COLORREF colour);
COLORREF linkColour(HWND link);

}  // namespace sw::win
