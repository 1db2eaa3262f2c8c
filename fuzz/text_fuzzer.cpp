// Any bytes as UTF-8 and as UTF-16 units through the text conversions, the URL encodings and
// the message formatter, with the properties each promises.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/message_format.h"
#include "common/utf16_text.h"
#include "transport/url_encode.h"
#include "transport/wire_url.h"

namespace {

using namespace zarn;

void Require(bool holds) {
    if (!holds)
        __builtin_trap();
}

bool IsSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

int HexValue(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    return c >= u'A' && c <= u'F' ? c - u'A' + 10 : -1;
}

// UrlEncode gives one path segment: unreserved ASCII and upper-case escapes, which decode to
// the text's UTF-8.
void CheckUrlEncode(std::u16string_view text) {
    std::u16string encoded = UrlEncode(text);
    std::string decoded;
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        char16_t c = encoded[i];
        if (c == u'%') {
            Require(i + 2 < encoded.size());
            int high = HexValue(encoded[i + 1]);
            int low = HexValue(encoded[i + 2]);
            Require(high >= 0 && low >= 0);
            decoded += static_cast<char>(high * 16 + low);
            i += 2;
            continue;
        }
        bool unreserved = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
                          (c >= u'0' && c <= u'9') ||
                          std::u16string_view(u"-_.!~*'()").find(c) != std::u16string_view::npos;
        Require(unreserved);
        decoded += static_cast<char>(c);
    }
    Require(decoded == ToUtf8(text));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // UTF-8 in: what comes out is well formed, so it survives a round trip unchanged.
    std::u16string text = FromUtf8(bytes);
    Require(FromUtf8(ToUtf8(text)) == text);

    // UTF-16 units in: each unit or pair comes back, a lone surrogate as U+FFFD.
    std::u16string units(size / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
    std::u16string back = FromUtf8(ToUtf8(units));
    Require(back.size() == units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        bool paired = i + 1 < units.size() && units[i] >= 0xD800 && units[i] <= 0xDBFF &&
                      units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF;
        if (paired) {
            Require(back[i] == units[i] && back[i + 1] == units[i + 1]);
            ++i;
        } else {
            Require(back[i] == (IsSurrogate(units[i]) ? u'\uFFFD' : units[i]));
        }
    }

    CheckUrlEncode(text);
    CheckUrlEncode(units);
    WireUrl(text);
    WireUrl(units);

    std::size_t limit = size == 0 ? 0 : data[0];
    std::u16string cut = TruncateUnits(units, limit);
    Require(cut.size() <= limit && units.starts_with(cut));
    Require(cut.size() + 1 >= std::min(limit, units.size()));
    Trim(text);
    FormatMessageTemplate(text, {u"first", u"%2 second", units});
    return 0;
}
