#pragma once

#include <windows.h>

#include <string>

namespace zarn::win32 {

// The module (DLL or program) that this code was linked into: its resources, its file.
HINSTANCE ModuleInstance();

// The full path of the module file; empty when the system cannot tell.
std::wstring ModulePath();

}  // namespace zarn::win32
