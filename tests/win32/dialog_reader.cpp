#include "win32/dialog_reader.h"

#include <commctrl.h>

#include <fstream>

#include "win32/views/native_controls.h"

namespace sw::test::win {
namespace {

struct Search {
    int nativeId;
    HWND found = nullptr;
};

BOOL CALLBACK matchId(HWND child, LPARAM data) {
    auto& s = *reinterpret_cast<Search*>(data);
    if (GetDlgCtrlID(child) != s.nativeId) return TRUE;
    s.found = child;
    return FALSE;
}

std::u16string itemText(HWND list, int item, int column) {
    wchar_t buffer[512] = {};
    LVITEMW request{};
    request.iSubItem = column;
    request.pszText = buffer;
    request.cchTextMax = 512;
    const auto length = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&request));
    return {reinterpret_cast<const char16_t*>(buffer), static_cast<std::size_t>(length)};
}

COLORREF drawnColour(HWND list, int item, int column) {
    NMLVCUSTOMDRAW draw{};
    draw.nmcd.hdr = {list, static_cast<UINT_PTR>(GetDlgCtrlID(list)), static_cast<UINT>(NM_CUSTOMDRAW)};
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
    draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(item);
    draw.iSubItem = column;
    draw.clrText = CLR_DEFAULT;
    SendMessageW(GetParent(list), WM_NOTIFY, draw.nmcd.hdr.idFrom, reinterpret_cast<LPARAM>(&draw));
    return draw.clrText;
}

}  // namespace

HWND controlWindow(HWND window, ui::ControlId id) {
    Search s{sw::win::nativeId(id)};
    EnumChildWindows(window, matchId, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

std::u16string textOf(HWND control) {
    wchar_t buffer[1024] = {};
    const auto length = SendMessageW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer));
    return {reinterpret_cast<const char16_t*>(buffer), static_cast<std::size_t>(length)};
}

bool shown(HWND control) { return control && IsWindowVisible(control); }

GridSeen readGrid(HWND list) {
    GridSeen seen;
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const int columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int c = 0; c < columns; ++c) {
        wchar_t buffer[128] = {};
        HDITEMW item{};
        item.mask = HDI_TEXT;
        item.pszText = buffer;
        item.cchTextMax = 128;
        SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&item));
        seen.header.emplace_back(reinterpret_cast<const char16_t*>(buffer));
    }
    const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int r = 0; r < rows; ++r) {
        seen.rows.emplace_back();
        seen.colours.emplace_back();
        for (int c = 0; c < columns; ++c) {
            seen.rows.back().push_back(itemText(list, r, c));
            seen.colours.back().push_back(drawnColour(list, r, c));
        }
    }
    return seen;
}

void press(HWND control) { PostMessageW(control, BM_CLICK, 0, 0); }

bool saveBitmap(HWND window, const std::filesystem::path& file, int margin) {
    RECT area;
    GetWindowRect(window, &area);
    const int width = area.right - area.left + margin, height = area.bottom - area.top + margin;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER info{sizeof info, width, height, 1, 24, BI_RGB};
    const int stride = (width * 3 + 3) & ~3;
    std::vector<char> pixels(static_cast<std::size_t>(stride) * height);
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
              DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    BITMAPFILEHEADER head{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof info + pixels.size()), 0, 0,
                          sizeof(BITMAPFILEHEADER) + sizeof info};
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&head), sizeof head);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}

}  // namespace sw::test::win
