#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/texts.h"

namespace zarn {

// String `id` of the string table; "???" when the string table lacks it.
std::u16string ResourceText(Texts& texts, std::uint32_t id);

// String `id` of the string table formatted with the inserts for %1, %2, …; "???" when the
// string table lacks it.
std::u16string FormatResourceMessage(Texts& texts, std::uint32_t id,
                                     const std::vector<std::u16string>& inserts);

}  // namespace zarn
