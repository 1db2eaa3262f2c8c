#include "transport/wire_url.h"

#include "common/percent_escape.h"
#include "common/utf16_text.h"

namespace zarn {
namespace {

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool NeedsEscape(unsigned char byte) {
    return byte <= 0x20 || byte >= 0x7F ||
           std::string_view("<>\"\\^`{|}").find(static_cast<char>(byte)) != std::string_view::npos;
}

// A byte that may stand in the URL as it is: an escape already written (%XX) stays one.
bool KeptAsItIs(std::string_view path, std::size_t i) {
    const auto byte = static_cast<unsigned char>(path[i]);
    if (byte == '%')
        return i + 2 < path.size() && IsHexDigit(path[i + 1]) && IsHexDigit(path[i + 2]);
    return !NeedsEscape(byte);
}

}  // namespace

std::string WireUrl(std::u16string_view url) {
    std::string bytes = ToUtf8(url);
    // The scheme and authority stay as they are: a host name is not percent-encoded.
    std::size_t scheme = bytes.find("://");
    std::size_t start = scheme == std::string::npos ? 0 : bytes.find_first_of("/?#", scheme + 3);
    if (start == std::string::npos)
        return bytes;
    return bytes.substr(0, start) +
           PercentEscaped(std::string_view(bytes).substr(start), KeptAsItIs);
}

}  // namespace zarn
