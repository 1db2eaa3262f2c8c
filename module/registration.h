#pragma once

#include <windows.h>

namespace zarn::win32 {

// DllRegisterServer and DllUnregisterServer: the registry scripts of the AppID and of the two
// classes, and the type library.
[[nodiscard]] HRESULT RegisterServer();
[[nodiscard]] HRESULT UnregisterServer();

}  // namespace zarn::win32
