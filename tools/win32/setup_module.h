#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

#include "common/win32/com_ptr.h"
#include "zarnRel.h"

namespace zarn::tools {

// The zarnRel.dll to use: `chosen` when given; else the one beside this program, or the one
// in the package's folder for this program's processor (x64 or x86).
std::filesystem::path SetupModulePath(const std::filesystem::path& chosen);

// A new ZarnSetupScript from the module's own class object, as COM would make it once the
// module is registered; the module stays loaded. Null with an error text.
win32::ComPtr<IKfxReleaseSetupScript> CreateSetupScript(const std::filesystem::path& module,
                                                        std::string& error);

}  // namespace zarn::tools
