#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "setup/setup_sheet.h"
#include "setup/win32/page_list.h"
#include "setup/win32/page_window.h"

namespace zarn::win32 {

// The modal property sheet: the system's sheet without an Apply button, its pages listed down
// the left side, run in a modal loop of its own on the host's active window.
class SetupPropertySheet final : public SetupSheet, public PageEvents {
  public:
    explicit SetupPropertySheet(UserInterface& ui) : ui_(ui) {}

    void AddPage(PropertyPage& page) override { pages_.push_back(&page); }
    SheetResult DoModal(const std::u16string& caption) override;

  private:
    void PageActivated(int index) override;
    void PageConfirmed() override { confirmed_ = true; }

    // Runs the sheet modally on its owner, then destroys it.
    void RunModal(HWND sheet, HWND owner);
    // Runs the sheet until OK or Cancel ends it.
    void RunModalLoop(HWND sheet);
    static LRESULT CALLBACK SheetProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR id, DWORD_PTR self);

    UserInterface& ui_;
    std::vector<PropertyPage*> pages_;
    std::optional<PageList> list_;
    bool confirmed_ = false;
};

}  // namespace zarn::win32
