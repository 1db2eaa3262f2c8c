#include "setup/win32/colour_combo_drawing.h"

#include <optional>
#include <string>

#include "setup/combo_box_clr.h"

namespace zarn::win32 {
namespace {

std::wstring EntryText(HWND combo, UINT index) {
    const LRESULT length = ::SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        ::SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == CB_ERR ? 0 : static_cast<std::size_t>(copied));
    return text;
}

void Fill(HDC dc, const RECT& rectangle, COLORREF colour) {
    if (HBRUSH brush = ::CreateSolidBrush(colour)) {
        ::FillRect(dc, &rectangle, brush);
        ::DeleteObject(brush);
    }
}

}  // namespace

void MeasureComboItem(HWND page, MEASUREITEMSTRUCT& item) {
    HDC dc = ::GetDC(page);
    if (!dc)
        return;
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(page, WM_GETFONT, 0, 0));
    HGDIOBJ previous = font ? ::SelectObject(dc, font) : nullptr;
    TEXTMETRICW metrics{};
    if (::GetTextMetricsW(dc, &metrics))
        item.itemHeight = static_cast<UINT>(metrics.tmHeight);
    if (previous)
        ::SelectObject(dc, previous);
    ::ReleaseDC(page, dc);
}

void DrawComboItem(const DRAWITEMSTRUCT& item, const CComboBoxClr& combo) {
    const LRESULT count = ::SendMessageW(item.hwndItem, CB_GETCOUNT, 0, 0);
    const int index = item.itemID == static_cast<UINT>(-1) ? -1 : static_cast<int>(item.itemID);
    std::optional<ComboItemDrawing> drawing = combo.DrawItem(
        index, count == CB_ERR ? 0 : static_cast<int>(count), (item.itemState & ODS_SELECTED) != 0,
        static_cast<std::uint32_t>(item.itemData));
    if (!drawing)
        return;
    HDC dc = item.hDC;
    const COLORREF keptText = ::GetTextColor(dc);
    const COLORREF keptBackground = ::GetBkColor(dc);
    RECT rectangle = item.rcItem;
    if (drawing->highlighted) {
        ::SetTextColor(dc, ::GetSysColor(COLOR_HIGHLIGHTTEXT));
        ::SetBkColor(dc, ::GetSysColor(COLOR_HIGHLIGHT));
        Fill(dc, rectangle, ::GetSysColor(COLOR_HIGHLIGHT));
    } else {
        Fill(dc, rectangle, keptBackground);
    }
    rectangle.left += drawing->insetLeft;
    rectangle.right -= drawing->insetRight;
    if (drawing->textColour)
        ::SetTextColor(dc, *drawing->textColour);
    std::wstring text = EntryText(item.hwndItem, item.itemID);
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rectangle,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    ::SetTextColor(dc, keptText);
    ::SetBkColor(dc, keptBackground);
}

}  // namespace zarn::win32
