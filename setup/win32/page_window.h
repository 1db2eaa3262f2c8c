#pragma once

#include <windows.h>

#include <prsht.h>

#include <memory>
#include <string>

#include "setup/setup_sheet.h"
#include "setup/win32/win32_dialog.h"

namespace zarn::win32 {

// What a page's window tells the sheet.
class PageEvents {
  public:
    virtual ~PageEvents() = default;
    virtual void PageActivated(int index) = 0;
    virtual void PageConfirmed() = 0;
};

// One page of the property sheet: its sheet entry and the dialog procedure of its window, which
// hands the window to the page as a Win32Dialog and passes on the controls' notifications, the
// menu commands and the sheet's activation and OK.
class PageWindow {
  public:
    PageWindow(PropertyPage& page, int index, PageEvents& sheet, UserInterface& ui);
    PageWindow(const PageWindow&) = delete;
    PageWindow& operator=(const PageWindow&) = delete;

    // The sheet's description of the page; valid while this object lives.
    PROPSHEETPAGEW Entry();

  private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // True for the commands and notifications that the page takes.
    bool OnCommand(WPARAM wParam, LPARAM lParam);
    // The sheet's notifications; the answer goes to DWLP_MSGRESULT.
    INT_PTR OnSheetNotify(HWND window, const NMHDR& header);

    PropertyPage& page_;
    int index_;
    PageEvents& sheet_;
    UserInterface& ui_;
    std::wstring title_;
    std::unique_ptr<Win32Dialog> dialog_;
};

}  // namespace zarn::win32
