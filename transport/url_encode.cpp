#include "transport/url_encode.h"

#include "common/text.h"

namespace zarn {
namespace {

bool IsUnreserved(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
        return true;
    return std::u16string_view(u"-_.!~*'()").find(static_cast<char16_t>(c)) !=
           std::u16string_view::npos;
}

}  // namespace

std::u16string UrlEncode(std::u16string_view text) {
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    std::u16string out;
    for (unsigned char byte : ToUtf8(text)) {
        if (IsUnreserved(byte)) {
            out += static_cast<char16_t>(byte);
        } else {
            out += u'%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        }
    }
    return out;
}

}  // namespace zarn
