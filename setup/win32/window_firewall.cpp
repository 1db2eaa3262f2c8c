#include "setup/win32/window_firewall.h"

namespace zarn::win32 {

thread_local std::exception_ptr WindowFirewall::pending_;

void WindowFirewall::ThrowPending() {
    std::exception_ptr pending = pending_;
    pending_ = nullptr;
    if (pending)
        std::rethrow_exception(pending);
}

}  // namespace zarn::win32
