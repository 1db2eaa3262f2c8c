#pragma once

#include "common/services.h"
#include "setup/setup_sheet.h"

namespace zarn::win32 {

// The seams of the COM module: Win32 files and texts, MSXML 6.0 requests and documents, Win32
// message boxes, and the setup's property sheet.
const Services& ModuleServices();
SetupSheetFactory& ModuleSheets();

}  // namespace zarn::win32
