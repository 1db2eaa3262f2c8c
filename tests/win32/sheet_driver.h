#pragma once

// The setup sheet as the administrator sees it: its pages, their controls by id, the keyboard
// focus, popup menus and message boxes, worked from the driver's thread.

#include <windows.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "tests/win32/png_writer.h"
#include "tests/win32/ui_driver.h"

namespace zarn::test {

class SheetDriver {
  public:
    // Waits for the sheet that the host window owns.
    explicit SheetDriver(HostWindow& host);

    HWND Sheet() const { return sheet_; }
    HWND PageList() const;
    HWND Page() const;  // the page shown
    HWND Control(int id) const { return ::GetDlgItem(Page(), id); }
    HWND Focus() const;
    int FocusId() const { return ::GetDlgCtrlID(Focus()); }
    // The control of that id, or the control whose edit box has the focus.
    bool HasFocus(int id) const;

    // Returns once the sheet's thread has handled all input sent so far.
    void Settle() const;
    void Type(std::u16string_view text) const;
    void Press(UINT virtualKey) const;
    void Click(int id) const;
    // Moves the focus as the Tab key would, to the control.
    void FocusOn(int id) const;
    // Opens a drop-down's list, moves `steps` entries down (up when negative) and closes it with
    // Enter, all with the keyboard.
    void PickWithKeys(int id, int steps) const;
    void SelectPageInList(int index) const;
    // Chooses in the open popup menu by the positions of the items, submenus first.
    void ChooseInMenu(HWND menu, std::initializer_list<int> positions) const;

    HWND WaitForMenu() const { return WaitForOwnedWindow(nullptr, L"#32768"); }
    HWND WaitForMessageBox() const { return WaitForOwnedWindow(sheet_, L"#32770"); }

    // What a window of the sheet's thread shows, painted up to now.
    RgbImage Capture(HWND window) const;
    // The client area as shown now (the system draws no frame without a window manager).
    bool Screenshot(const std::filesystem::path& file) const;

  private:
    HostWindow& host_;
    HWND sheet_ = nullptr;
};

}  // namespace zarn::test
