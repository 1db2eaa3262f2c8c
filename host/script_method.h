#pragma once

// The one barrier at the boundary of every script method: the capture host gets an outcome,
// never an exception.

#include <new>
#include <utility>

#include "host/kfx_constants.h"

namespace zarn {

// Runs a script method's body. An exception ends it as KFX_REL_ERROR; running out of memory
// first lets `onOutOfMemory` say so (where the method has a log), itself guarded.
template <typename Body, typename OnOutOfMemory>
[[nodiscard]] host::KfxReturnValue RunScriptMethod(Body&& body,
                                                   OnOutOfMemory&& onOutOfMemory) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        try {
            onOutOfMemory();
        } catch (...) {
        }
    } catch (...) {
    }
    return host::KFX_REL_ERROR;
}

template <typename Body>
[[nodiscard]] host::KfxReturnValue RunScriptMethod(Body&& body) noexcept {
    return RunScriptMethod(std::forward<Body>(body), [] {});
}

}  // namespace zarn
