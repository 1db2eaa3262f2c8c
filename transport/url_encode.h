#pragma once

#include <string>
#include <string_view>

namespace zarn {

// Percent-encodes one URL path segment: the UTF-8 bytes of the text, with letters, digits and
// "-_.!~*'()" kept and every other byte written as %XX (upper-case hexadecimal). A blank
// becomes %20 and a slash %2F, so the result is always one segment.
std::u16string UrlEncode(std::u16string_view text);

}  // namespace zarn
