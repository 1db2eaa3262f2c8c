#pragma once

#include <windows.h>

#include <string>

namespace zarn::win32 {

// A window's whole text; empty for no window.
std::u16string WindowText(HWND window);

}  // namespace zarn::win32
