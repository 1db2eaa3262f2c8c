#pragma once

#include "common/win32/com.h"

#include <memory>

#include "common/win32/com_ptr.h"
#include "host/capture_host.h"

namespace zarn::win32 {

// The capture host's data objects, as the core sees them, over the host's own IDispatch.
std::shared_ptr<host::IReleaseData> DispatchReleaseData(ComPtr<IDispatch> data);
std::shared_ptr<host::IReleaseSetupData> DispatchReleaseSetupData(ComPtr<IDispatch> data);

}  // namespace zarn::win32
