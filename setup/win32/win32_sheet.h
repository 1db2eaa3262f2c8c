#pragma once

#include "setup/setup_sheet.h"

namespace zarn::win32 {

// Makes the setup's property sheets on Win32, from the module's own resources.
SetupSheetFactory& Win32SheetFactory();

}  // namespace zarn::win32
