#pragma once

#include <string_view>

namespace zarn {

// True when `text`, with the letters a to z upper-cased and every other character kept, equals
// `upper` exactly.
inline bool EqualsUpperCased(std::u16string_view text, std::u16string_view upper) {
    if (text.size() != upper.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i] >= u'a' && text[i] <= u'z' ? text[i] - (u'a' - u'A') : text[i];
        if (c != upper[i])
            return false;
    }
    return true;
}

}  // namespace zarn
