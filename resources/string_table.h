#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zarn {

// The module's string table compiled into the code, for platforms without string resources.
[[nodiscard]] std::optional<std::u16string> BuiltInString(std::uint32_t id);

}  // namespace zarn
