#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zarn {

// The bytes of `text` with every byte for which `plain(text, position)` is false written as %XX
// (upper-case hexadecimal). The predicate sees the whole text, so it may look around the byte.
std::string PercentEscaped(std::string_view text,
                           bool (*plain)(std::string_view text, std::size_t position));

}  // namespace zarn
