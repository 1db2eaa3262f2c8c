#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zarn::docstore {

// The text with every byte for which `plain(byte, position)` is false written as %XX
// (upper-case hexadecimal).
std::string PercentEscaped(std::string_view text,
                           bool (*plain)(unsigned char byte, std::size_t position));

}  // namespace zarn::docstore
