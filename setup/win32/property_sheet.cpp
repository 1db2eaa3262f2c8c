#include "setup/win32/property_sheet.h"

#include <commctrl.h>

#include "common/win32/bstr.h"
#include "common/win32/module_instance.h"
#include "setup/win32/common_controls.h"
#include "setup/win32/window_firewall.h"

namespace zarn::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 1;

// The owner that a modal window of the host's user-interface thread takes: the active window's
// top-level window, or the popup that it last activated.
HWND HostOwner() {
    HWND owner = ::GetActiveWindow();
    while (owner && (::GetWindowLongW(owner, GWL_STYLE) & WS_CHILD))
        owner = ::GetParent(owner);
    return owner ? ::GetLastActivePopup(owner) : nullptr;
}

// The system's sheet, modeless so that its modal loop is this module's; null when it cannot
// be made.
HWND CreateSheet(const std::u16string& caption, HWND owner,
                 const std::vector<PROPSHEETPAGEW>& entries) {
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP | PSH_MODELESS;
    header.hwndParent = owner;
    header.hInstance = ModuleInstance();
    header.pszCaption = Wide(caption);
    header.nPages = static_cast<UINT>(entries.size());
    header.nStartPage = 0;
    header.ppsp = entries.data();
    const auto sheet = reinterpret_cast<HWND>(::PropertySheetW(&header));
    return sheet == reinterpret_cast<HWND>(-1) ? nullptr : sheet;
}

}  // namespace

SheetResult SetupPropertySheet::DoModal(const std::u16string& caption) {
    EnsureCommonControls();
    std::vector<std::unique_ptr<PageWindow>> windows;
    std::vector<PROPSHEETPAGEW> entries;
    std::vector<std::wstring> titles;
    for (PropertyPage* page : pages_) {
        windows.push_back(
            std::make_unique<PageWindow>(*page, static_cast<int>(windows.size()), *this, ui_));
        entries.push_back(windows.back()->Entry());
        const std::u16string title = page->Title();
        titles.emplace_back(title.begin(), title.end());
    }
    confirmed_ = false;
    HWND owner = HostOwner();
    if (HWND sheet = CreateSheet(caption, owner, entries)) {
        list_.emplace(sheet, titles);
        RunModal(sheet, owner);
        list_.reset();
    }
    WindowFirewall::ThrowPending();
    return confirmed_ ? SheetResult::kOk : SheetResult::kCancel;
}

void SetupPropertySheet::RunModal(HWND sheet, HWND owner) {
    ::SetWindowSubclass(sheet, SheetProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    const bool ownerEnabled = owner && ::IsWindowEnabled(owner);
    if (owner)
        ::EnableWindow(owner, FALSE);
    RunModalLoop(sheet);
    // The owner is enabled again before the sheet goes, so that it becomes active again.
    if (ownerEnabled)
        ::EnableWindow(owner, TRUE);
    ::RemoveWindowSubclass(sheet, SheetProcedure, kSubclassId);
    ::DestroyWindow(sheet);
}

void SetupPropertySheet::RunModalLoop(HWND sheet) {
    MSG message{};
    // A modeless sheet that OK or Cancel has ended has no current page.
    while (PropSheet_GetCurrentPageHwnd(sheet)) {
        if (WindowFirewall::HasPending()) {
            confirmed_ = false;
            return;
        }
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // The thread is asked to end: leave that to the loop that owns the thread.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (got < 0)
            return;
        if (!PropSheet_IsDialogMessage(sheet, &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
}

void SetupPropertySheet::PageActivated(int index) {
    if (list_)
        list_->Select(index);
}

LRESULT CALLBACK SetupPropertySheet::SheetProcedure(HWND window, UINT message, WPARAM wParam,
                                                    LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    return WindowFirewall::Guard(LRESULT{0}, [&] {
        auto& sheet = *reinterpret_cast<SetupPropertySheet*>(self);
        if (message == WM_COMMAND && LOWORD(wParam) == PageList::kControlId &&
            HIWORD(wParam) == LBN_SELCHANGE && sheet.list_) {
            const int index = sheet.list_->Selection();
            if (index >= 0)
                PropSheet_SetCurSel(window, nullptr, index);
            return LRESULT{0};
        }
        return ::DefSubclassProc(window, message, wParam, lParam);
    });
}

}  // namespace zarn::win32
