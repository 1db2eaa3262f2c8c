#include "transport/posix/wire_url.h"

#include "common/text.h"

namespace zarn {
namespace {

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool NeedsEscape(unsigned char byte) {
    return byte <= 0x20 || byte >= 0x7F ||
           std::string_view("<>\"\\^`{|}").find(byte) != std::string_view::npos;
}

}  // namespace

std::string WireUrl(std::u16string_view url) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string bytes = ToUtf8(url);
    // The scheme and authority stay as they are: a host name is not percent-encoded.
    std::size_t scheme = bytes.find("://");
    std::size_t start = scheme == std::string::npos ? 0 : bytes.find_first_of("/?#", scheme + 3);
    if (start == std::string::npos)
        return bytes;

    std::string wire = bytes.substr(0, start);
    for (std::size_t i = start; i < bytes.size(); ++i) {
        auto byte = static_cast<unsigned char>(bytes[i]);
        bool escape = byte == '%' && i + 2 < bytes.size() && IsHexDigit(bytes[i + 1]) &&
                      IsHexDigit(bytes[i + 2]);
        if (!escape && (byte == '%' || NeedsEscape(byte))) {
            wire += '%';
            wire += kHex[byte >> 4];
            wire += kHex[byte & 0x0F];
        } else {
            wire += bytes[i];
        }
    }
    return wire;
}

}  // namespace zarn
