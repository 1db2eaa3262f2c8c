#pragma once

#include <cstdint>

namespace zarn {

#define ZARN_STRING(name, id, text) inline constexpr std::uint32_t name = id;
#include "resources/strings.inc"
#undef ZARN_STRING

}  // namespace zarn
