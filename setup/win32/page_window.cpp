#include "setup/win32/page_window.h"

#include "common/win32/bstr.h"
#include "common/win32/module_instance.h"
#include "setup/win32/colour_combo_drawing.h"
#include "setup/win32/window_firewall.h"

namespace zarn::win32 {

PageWindow::PageWindow(PropertyPage& page, int index, PageEvents& sheet, UserInterface& ui)
    : page_(page), index_(index), sheet_(sheet), ui_(ui) {
    const std::u16string title = page.Title();
    title_.assign(title.begin(), title.end());
}

PROPSHEETPAGEW PageWindow::Entry() {
    PROPSHEETPAGEW entry{};
    entry.dwSize = sizeof(entry);
    entry.dwFlags = PSP_USETITLE;
    entry.hInstance = ModuleInstance();
    entry.pszTemplate = MAKEINTRESOURCEW(page_.TemplateId());
    entry.pszTitle = title_.c_str();
    entry.pfnDlgProc = Procedure;
    entry.lParam = reinterpret_cast<LPARAM>(this);
    return entry;
}

INT_PTR CALLBACK PageWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return WindowFirewall::Guard(INT_PTR{FALSE}, [&]() -> INT_PTR {
        if (message == WM_INITDIALOG) {
            const auto& entry = *reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
            ::SetWindowLongPtrW(window, DWLP_USER, entry.lParam);
        }
        // Owner-drawn drop-downs ask for their height while the window is being built.
        if (message == WM_MEASUREITEM) {
            auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (item.CtlType != ODT_COMBOBOX)
                return FALSE;
            MeasureComboItem(window, item);
            return TRUE;
        }
        auto* self = reinterpret_cast<PageWindow*>(::GetWindowLongPtrW(window, DWLP_USER));
        return self ? self->Handle(window, message, wParam, lParam) : FALSE;
    });
}

INT_PTR PageWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            dialog_ = std::make_unique<Win32Dialog>(window, page_.TemplateId(), ui_);
            page_.OnInitDialog(*dialog_);
            return TRUE;
        case WM_COMMAND:
            return OnCommand(wParam, lParam);
        case WM_NOTIFY:
            return OnSheetNotify(window, *reinterpret_cast<const NMHDR*>(lParam));
        case WM_DRAWITEM:
            return dialog_ && dialog_->DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        case WM_DESTROY:
            dialog_.reset();
            return FALSE;
        default:
            return FALSE;
    }
}

bool PageWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (!dialog_)
        return false;
    const int id = LOWORD(wParam);
    // A menu's command comes without a control.
    if (lParam == 0 && HIWORD(wParam) == 0) {
        page_.OnCommand(id);
        return true;
    }
    std::optional<Notification> notification = dialog_->NotificationOf(id, HIWORD(wParam));
    if (notification)
        page_.OnNotify(id, *notification);
    return notification.has_value();
}

INT_PTR PageWindow::OnSheetNotify(HWND window, const NMHDR& header) {
    LONG_PTR result = 0;
    switch (header.code) {
        case PSN_SETACTIVE:
            result = page_.OnSetActive() ? 0 : -1;
            if (result == 0)
                sheet_.PageActivated(index_);
            break;
        case PSN_APPLY:
            page_.OnOK();
            sheet_.PageConfirmed();
            result = PSNRET_NOERROR;
            break;
        default:
            return FALSE;
    }
    ::SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
    return TRUE;
}

}  // namespace zarn::win32
