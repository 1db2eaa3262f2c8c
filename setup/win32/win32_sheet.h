#pragma once

#include "setup/setup_sheet.h"

namespace zarn::win32 {

SetupSheetFactory& Win32SheetFactory();

}  // namespace zarn::win32
