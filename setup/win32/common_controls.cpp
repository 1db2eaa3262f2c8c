#include "setup/win32/common_controls.h"

#include <windows.h>

#include <commctrl.h>

#include <mutex>

namespace zarn::win32 {

void EnsureCommonControls() {
    static std::once_flag once;
    std::call_once(once, [] {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&controls);
    });
}

}  // namespace zarn::win32
