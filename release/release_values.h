#pragma once

#include <string>

#include "host/capture_host.h"

namespace zarn {

// The release value of a destination: the Value of the member of Values keyed by that name.
// True only when both reads succeeded and the text is not empty.
[[nodiscard]] bool GetValue(host::IValues& values, const std::u16string& destination,
                            std::u16string& text);

}  // namespace zarn
