#include "setup/win32/page_list.h"

#include <commctrl.h>
#include <prsht.h>

#include "common/win32/module_instance.h"

namespace zarn::win32 {
namespace {

RECT ClientRectOf(HWND window, HWND parent) {
    RECT rectangle{};
    ::GetWindowRect(window, &rectangle);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rectangle), 2);
    return rectangle;
}

void Offset(HWND window, HWND parent, int dx, int dy) {
    const RECT place = ClientRectOf(window, parent);
    ::SetWindowPos(window, nullptr, place.left + dx, place.top + dy, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Moves every control of the sheet by (dx, dy), hides the tab control and resizes the sheet with
// them.
void MakeRoom(HWND sheet, HWND tab, int dx, int dy) {
    for (HWND child = ::GetWindow(sheet, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        Offset(child, sheet, dx, dy);
    }
    ::ShowWindow(tab, SW_HIDE);
    RECT frame{};
    ::GetWindowRect(sheet, &frame);
    ::SetWindowPos(sheet, nullptr, 0, 0, frame.right - frame.left + dx,
                   frame.bottom - frame.top + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

PageList::PageList(HWND sheet, const std::vector<std::wstring>& titles) {
    HWND tab = PropSheet_GetTabControl(sheet);
    if (!tab)
        return;
    const RECT tabPlace = ClientRectOf(tab, sheet);
    // The pages' area of the tab control, in the tab control's client coordinates: without the
    // tabs, the pages move up into the tabs' row.
    RECT pages{0, 0, tabPlace.right - tabPlace.left, tabPlace.bottom - tabPlace.top};
    TabCtrl_AdjustRect(tab, FALSE, &pages);
    const int dx = kWidth + tabPlace.left;
    const int dy = -pages.top;
    MakeRoom(sheet, tab, dx, dy);
    list_ = ::CreateWindowExW(
        WS_EX_CLIENTEDGE, L"ListBox", nullptr,
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
        tabPlace.left, tabPlace.top, kWidth, pages.bottom - pages.top, sheet,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlId)), ModuleInstance(), nullptr);
    if (!list_)
        return;
    ::SendMessageW(list_, WM_SETFONT, ::SendMessageW(sheet, WM_GETFONT, 0, 0), FALSE);
    for (const std::wstring& title : titles)
        ::SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title.c_str()));
    Select(0);
}

int PageList::Selection() const {
    const LRESULT selection = ::SendMessageW(list_, LB_GETCURSEL, 0, 0);
    return selection == LB_ERR ? -1 : static_cast<int>(selection);
}

void PageList::Select(int index) {
    if (!list_)
        return;
    ::SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SetWindowPos(list_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace zarn::win32
