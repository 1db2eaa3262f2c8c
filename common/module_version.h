#pragma once

#include <optional>
#include <string>

#include "common/texts.h"

namespace zarn {

// "major.minor.build" of the module's product version, as the setup and the tool show it; none
// when the module has no version resource.
[[nodiscard]] std::optional<std::u16string> ModuleVersionText(Texts& texts);

}  // namespace zarn
