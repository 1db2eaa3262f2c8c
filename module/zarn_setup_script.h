#pragma once

#include "common/win32/com.h"

namespace zarn::win32 {

// Creates a ZarnSetupScript: the release-setup script of the COM class, over the setup core.
[[nodiscard]] HRESULT CreateZarnSetupScript(IUnknown* outer, REFIID iid, void** object);

}  // namespace zarn::win32
