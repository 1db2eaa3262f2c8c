#pragma once

#include <windows.h>

#include "setup/menu_description.h"

namespace zarn::win32 {

// Shows the source menu below the anchor control (the owner's own rectangle when there is no
// anchor): menu 11012's popup with the description's check marks and further items. The chosen
// command reaches the owner as WM_COMMAND after the menu has closed.
void TrackSourceMenu(HWND owner, HWND anchor, const MenuDescription& menu);

}  // namespace zarn::win32
