#pragma once

#include "common/user_interface.h"

namespace zarn {

// The Win32 user interface: message boxes owned by the window that is active on the calling
// thread (inside the setup sheet: the sheet), the system's wait cursor and beep.
UserInterface& PlatformUserInterface();

}  // namespace zarn
