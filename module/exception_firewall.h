#pragma once

#include <windows.h>

#include <new>

namespace zarn::win32 {

// Every COM method and entry point runs its body through this: no C++ exception may cross into
// the host. Running out of memory answers E_OUTOFMEMORY, anything else E_UNEXPECTED.
template <typename Body>
[[nodiscard]] HRESULT Firewall(Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

}  // namespace zarn::win32
