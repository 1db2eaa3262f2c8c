#include "transport/url_encode.h"

#include "common/percent_escape.h"
#include "common/utf16_text.h"

namespace zarn {
namespace {

// The unreserved characters of a URL path segment: letters, digits and "-_.!~*'()".
bool IsUnreserved(std::string_view text, std::size_t position) {
    const char c = text[position];
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
        return true;
    return std::string_view("-_.!~*'()").find(c) != std::string_view::npos;
}

}  // namespace

std::u16string UrlEncode(std::u16string_view text) {
    return FromUtf8(PercentEscaped(ToUtf8(text), IsUnreserved));
}

}  // namespace zarn
