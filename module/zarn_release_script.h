#pragma once

#include "common/win32/com.h"

namespace zarn::win32 {

// Creates a ZarnReleaseScript: the release script of the COM class, over the release core.
[[nodiscard]] HRESULT CreateZarnReleaseScript(IUnknown* outer, REFIID iid, void** object);

}  // namespace zarn::win32
