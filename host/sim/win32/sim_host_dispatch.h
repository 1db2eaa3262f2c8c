#pragma once

// The simulated capture host's objects seen through IDispatch, as the capture host shows its
// own: strict objects (see StrictDispatch) whose members forward to the simulated ones, so that
// the simulated host's records, journal and injected failures serve zarnRel.dll as well: in the
// module's tests and in zarnrel.exe's setup command.

#include <memory>

#include "common/win32/com.h"
#include "host/capture_host.h"

namespace zarn::host::sim {

// New objects with one reference, held by the caller.
IDispatch* ReleaseDataDispatch(std::shared_ptr<host::IReleaseData> data);
IDispatch* ReleaseSetupDataDispatch(std::shared_ptr<host::IReleaseSetupData> data);

}  // namespace zarn::host::sim
