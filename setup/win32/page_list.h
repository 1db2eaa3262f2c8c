#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace zarn::win32 {

// The pages of a property sheet listed down its left side instead of on tabs: the tab control
// is hidden but stays where the sheet places the pages, everything else moves right to make
// room for the list.
class PageList {
  public:
    static constexpr int kWidth = 100;  // pixels
    static constexpr int kControlId = 0x3FF0;

    // Builds the list in the sheet, with page 0 selected.
    PageList(HWND sheet, const std::vector<std::wstring>& titles);

    HWND Window() const { return list_; }
    // The page that the administrator selected in the list, or -1.
    int Selection() const;
    // Shows a page as selected and keeps the list first in the tab order.
    void Select(int index);

  private:
    HWND list_ = nullptr;
};

}  // namespace zarn::win32
