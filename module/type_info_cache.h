#pragma once

#include "common/win32/com.h"

#include "common/win32/com_ptr.h"

namespace zarn::win32 {

// The type information of the module's interfaces, from the type library embedded in the
// module file itself (loaded by the module's own path, so that dispatch works before and
// without registration). Loaded on first use; dropped at the module's shut-down.
class TypeInfoCache {
  public:
    [[nodiscard]] static HRESULT Get(REFIID iid, ComPtr<ITypeInfo>& info);
    static void Drop();
};

}  // namespace zarn::win32
