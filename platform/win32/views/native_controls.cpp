#include "win32/views/native_controls.h"

#include <imm.h>

#include <algorithm>

#include "win32/handles.h"
#include "win32/views/link_control.h"

namespace sw::win {
namespace {

using ui::ControlKind;

struct NativeKind {
    const wchar_t* className;
    DWORD style, exStyle;
};

NativeKind nativeKind(ControlKind kind) {
    switch (kind) {
        case ControlKind::label: return {L"STATIC", SS_LEFT, 0};
        case ControlKind::frame:
        case ControlKind::panel: return {windowClassName, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
        case ControlKind::pictureBox: return {L"STATIC", SS_OWNERDRAW, 0};
        case ControlKind::pushButton: return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
        case ControlKind::checkBox: return {L"BUTTON", BS_CHECKBOX | WS_TABSTOP, 0};
        case ControlKind::linkLabel: return {linkClassName, WS_TABSTOP, 0};
        case ControlKind::grid:
            return {WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | WS_TABSTOP,
                    WS_EX_CLIENTEDGE};
        case ControlKind::tabStrip: return {WC_TABCONTROLW, TCS_TOOLTIPS | WS_TABSTOP, 0};
        case ControlKind::listBox:
            return {L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case ControlKind::textField: return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case ControlKind::upDown: return {UPDOWN_CLASSW, UDS_NOTHOUSANDS, 0};
    }
    return {L"STATIC", 0, 0};
}

bool sameTabs(const std::vector<ui::Tab>& a, const std::vector<ui::Tab>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const ui::Tab& x, const ui::Tab& y) {
        return x.caption == y.caption && x.key == y.key && x.tooltip == y.tooltip;
    });
}

bool sameCells(const ui::Grid& a, const ui::Grid& b) {
    if (a.rows() != b.rows() || a.cols() != b.cols() || a.fixedRows() != b.fixedRows()) return false;
    for (int c = 0; c < a.cols(); ++c)
        if (a.columnWidth(c) != b.columnWidth(c)) return false;
    for (int r = 0; r < a.rows(); ++r)
        for (int c = 0; c < a.cols(); ++c)
            if (!(a.cell(r, c) == b.cell(r, c))) return false;
    return true;
}

// The data row a grid's selection covers whole, as a list-view item; -1 for none.
int selectedItem(const ui::Grid& g) {
    const bool wholeRow = g.row() == g.rowSel() && g.col() == 0 && g.colSel() == g.cols() - 1;
    return wholeRow && g.row() >= g.fixedRows() ? g.row() - g.fixedRows() : -1;
}

int headerJustify(int alignment) {
    if (alignment >= 3 && alignment <= 5) return HDF_CENTER;
    if (alignment >= 6 && alignment <= 8) return HDF_RIGHT;
    return HDF_LEFT;
}

void fillGrid(HWND list, const ui::Grid& g, int dpi) {
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    while (ListView_DeleteColumn(list, 0)) {
    }
    const bool header = g.fixedRows() > 0;
    for (int c = 0; c < g.cols(); ++c) {
        std::u16string text = header ? g.cell(0, c).text : u"";
        LVCOLUMNW column{};
        column.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_FMT;
        column.fmt = LVCFMT_LEFT;
        column.cx = pixels(g.columnWidth(c), dpi);
        column.pszText = const_cast<wchar_t*>(wide(text));
        ListView_InsertColumn(list, c, &column);
    }
    // The list view keeps its first column left-aligned; its header item can still be centred.
    if (HWND headerWindow = ListView_GetHeader(list); headerWindow && header) {
        for (int c = 0; c < g.cols(); ++c) {
            HDITEMW item{};
            item.mask = HDI_FORMAT;
            Header_GetItem(headerWindow, c, &item);
            item.fmt = (item.fmt & ~HDF_JUSTIFYMASK) | headerJustify(g.cell(0, c).alignment);
            Header_SetItem(headerWindow, c, &item);
        }
    }
    for (int r = g.fixedRows(); r < g.rows(); ++r) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = r - g.fixedRows();
        item.pszText = const_cast<wchar_t*>(wide(g.cell(r, 0).text));
        ListView_InsertItem(list, &item);
        for (int c = 1; c < g.cols(); ++c)
            ListView_SetItemText(list, item.iItem, c, const_cast<wchar_t*>(wide(g.cell(r, c).text)));
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void selectGridRow(HWND list, int item) {
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    if (item >= 0) {
        ListView_SetItemState(list, item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(list, item, FALSE);
    }
}

void fillTabs(HWND tabs, const std::vector<ui::Tab>& list) {
    TabCtrl_DeleteAllItems(tabs);
    for (std::size_t i = 0; i < list.size(); ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(wide(list[i].caption));
        TabCtrl_InsertItem(tabs, static_cast<int>(i), &item);
    }
}

void fillList(HWND box, const std::vector<std::u16string>& items) {
    SendMessageW(box, WM_SETREDRAW, FALSE, 0);
    SendMessageW(box, LB_RESETCONTENT, 0, 0);
    for (const auto& text : items) SendMessageW(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(text)));
    SendMessageW(box, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(box, nullptr, TRUE);
}

std::u16string windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return fromWide(text.c_str(), text.size());
}

}  // namespace

HWND createNative(const ui::Control& control, HWND parent, HINSTANCE module, void* view) {
    const NativeKind kind = nativeKind(control.kind);
    HWND window = CreateWindowExW(kind.exStyle, kind.className, L"", WS_CHILD | WS_CLIPSIBLINGS | kind.style, 0, 0, 0,
                                  0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(nativeId(control.id))),
                                  module, view);
    if (!window) return nullptr;
    if (control.kind == ControlKind::grid)
        ListView_SetExtendedListViewStyle(window, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    // The pages of a tab strip are its siblings and lie above it.
    if (control.kind == ControlKind::tabStrip) SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return window;
}

void update(NativeControl& native, const ui::Control& c, FontCache& fonts, int dpi) {
    const ui::Control* was = native.drawn ? &*native.drawn : nullptr;
    HWND w = native.window;
    auto changed = [&](auto member) { return !was || !(was->*member == c.*member); };

    if (changed(&ui::Control::font)) SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.get(c.font)), TRUE);
    if (changed(&ui::Control::rect))
        MoveWindow(w, pixels(c.rect.left, dpi), pixels(c.rect.top, dpi), pixels(c.rect.width, dpi),
                   pixels(c.rect.height, dpi), TRUE);
    if (changed(&ui::Control::enabled)) EnableWindow(w, c.enabled);
    if (changed(&ui::Control::foreColor)) {
        if (c.kind == ControlKind::linkLabel) setLinkColour(w, nativeColour(c.foreColor));
        else InvalidateRect(w, nullptr, TRUE);
    }
    const bool captioned = c.kind != ControlKind::grid && c.kind != ControlKind::tabStrip &&
                           c.kind != ControlKind::listBox && c.kind != ControlKind::upDown;
    // A text field keeps its caret when the model only echoes what was typed.
    if (captioned && changed(&ui::Control::caption) && windowText(w) != c.caption) SetWindowTextW(w, wide(c.caption));

    switch (c.kind) {
        case ControlKind::checkBox:
            if (changed(&ui::Control::value)) SendMessageW(w, BM_SETCHECK, c.value ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        case ControlKind::pushButton:
            if (changed(&ui::Control::isDefault))
                SendMessageW(w, BM_SETSTYLE, c.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
            break;
        case ControlKind::pictureBox:
            if (changed(&ui::Control::icon)) InvalidateRect(w, nullptr, TRUE);
            break;
        case ControlKind::grid:
            if (!was || !sameCells(was->grid, c.grid)) {
                fillGrid(w, c.grid, dpi);
                selectGridRow(w, selectedItem(c.grid));
            } else if (selectedItem(was->grid) != selectedItem(c.grid)) {
                selectGridRow(w, selectedItem(c.grid));
            }
            break;
        case ControlKind::tabStrip:
            if (!was || !sameTabs(was->tabs, c.tabs)) fillTabs(w, c.tabs);
            if (!was || !sameTabs(was->tabs, c.tabs) || changed(&ui::Control::value)) TabCtrl_SetCurSel(w, c.value);
            break;
        case ControlKind::listBox:
            if (changed(&ui::Control::items)) fillList(w, c.items);
            if (changed(&ui::Control::items) || changed(&ui::Control::value)) SendMessageW(w, LB_SETCURSEL, c.value, 0);
            break;
        case ControlKind::textField:
            if (changed(&ui::Control::selectionStart) || changed(&ui::Control::selectionLength))
                SendMessageW(w, EM_SETSEL, c.selectionStart, c.selectionStart + c.selectionLength);
            break;
        case ControlKind::upDown:
            if (changed(&ui::Control::minimum) || changed(&ui::Control::maximum))
                SendMessageW(w, UDM_SETRANGE32, c.minimum, c.maximum);
            if (changed(&ui::Control::value)) SendMessageW(w, UDM_SETPOS32, 0, c.value);
            break;
        default: break;
    }
    // Shown last, so that it appears complete.
    if (changed(&ui::Control::visible)) ShowWindow(w, c.visible ? SW_SHOWNA : SW_HIDE);
    native.drawn = c;
}

void applyInputMethod(HWND field, int mode) {
    if (mode != 1 && mode != 2) return;
    if (HIMC context = ImmGetContext(field)) {
        ImmSetOpenStatus(context, mode == 1);
        ImmReleaseContext(field, context);
    }
}

int gridRow(const ui::Grid& grid, int item) {
    if (item < 0) return -1;
    const int row = item + grid.fixedRows();
    return row < grid.rows() ? row : -1;
}

LRESULT drawGridCell(const ui::Grid& grid, NMLVCUSTOMDRAW& draw) {
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT: return CDRF_NOTIFYSUBITEMDRAW;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
            const int item = static_cast<int>(draw.nmcd.dwItemSpec);
            // A selected row keeps the selection's colours, readable on the highlight.
            if (ListView_GetItemState(draw.nmcd.hdr.hwndFrom, item, LVIS_SELECTED)) return CDRF_DODEFAULT;
            const int row = gridRow(grid, item);
            if (row >= 0 && draw.iSubItem >= 0 && draw.iSubItem < grid.cols())
                draw.clrText = nativeColour(grid.cell(row, draw.iSubItem).foreColor);
            return CDRF_NEWFONT;
        }
        default: return CDRF_DODEFAULT;
    }
}

}  // namespace sw::win
