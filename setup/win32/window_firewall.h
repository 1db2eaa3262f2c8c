#pragma once

#include <exception>

namespace zarn::win32 {

// No C++ exception may unwind through the system's frames: every window and dialog procedure of
// the setup runs its body through Guard, which keeps the first exception for the sheet's modal
// loop to end the sheet with and throw again once the windows are gone.
class WindowFirewall {
  public:
    template <typename Result, typename Body>
    static Result Guard(Result fallback, Body&& body) noexcept {
        try {
            return body();
        } catch (...) {
            if (!pending_)
                pending_ = std::current_exception();
            return fallback;
        }
    }

    static bool HasPending() { return static_cast<bool>(pending_); }
    // Throws the kept exception, if any, and forgets it.
    static void ThrowPending();

  private:
    static thread_local std::exception_ptr pending_;
};

}  // namespace zarn::win32
