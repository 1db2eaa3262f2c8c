#pragma once

#include <windows.h>

namespace zarn::win32 {

// DllRegisterServer and DllUnregisterServer: the registry scripts of the AppID and of the two
// classes, and the type library.
HRESULT RegisterServer();
HRESULT UnregisterServer();

}  // namespace zarn::win32
