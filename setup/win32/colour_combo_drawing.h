#pragma once

#include <windows.h>

namespace zarn {
class CComboBoxClr;
}

namespace zarn::win32 {

// The height of a CComboBoxClr's entries and of its selection field: one line of the page's
// font.
void MeasureComboItem(HWND page, MEASUREITEMSTRUCT& item);

// Draws one entry as the combo box's rules give it.
void DrawComboItem(const DRAWITEMSTRUCT& item, const CComboBoxClr& combo);

}  // namespace zarn::win32
