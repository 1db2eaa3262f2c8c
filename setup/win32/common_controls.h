#pragma once

namespace zarn::win32 {

// Registers the common controls that the setup sheet uses, once per process, at first use: the
// module's entry point must not load libraries.
void EnsureCommonControls();

}  // namespace zarn::win32
