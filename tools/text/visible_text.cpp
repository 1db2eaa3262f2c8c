#include "tools/text/visible_text.h"

#include <cstddef>

#include "common/utf16_text.h"

namespace zarn::tools {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// The length of the well-formed UTF-8 sequence that starts at `at` (Unicode's table 3-7), or 0;
// `codePoint` receives its value.
std::size_t SequenceAt(std::string_view text, std::size_t at, char32_t& codePoint) {
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    unsigned char secondLow = 0x80;
    unsigned char secondHigh = 0xBF;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        secondLow = lead == 0xE0 ? 0xA0 : 0x80;   // no overlong form
        secondHigh = lead == 0xED ? 0x9F : 0xBF;  // no surrogate
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        secondLow = lead == 0xF0 ? 0x90 : 0x80;   // no overlong form
        secondHigh = lead == 0xF4 ? 0x8F : 0xBF;  // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (at + length > text.size() || byte(at + 1) < secondLow || byte(at + 1) > secondHigh) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            return 0;
        }
        codePoint = (codePoint << 6) | (byte(at + i) & 0x3F);
    }
    return length;
}

bool IsShownAsCodePoint(char32_t c) {
    return (c >= 0x80 && c <= 0x9F) || c == 0x2028 || c == 0x2029 || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

void AppendHex(std::string& out, char32_t value, int digits) {
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) {
        out += kHexDigits[(value >> shift) & 0xF];
    }
}

void AppendByteEscape(std::string& out, unsigned char byte) {
    switch (byte) {
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            out += "\\x";
            AppendHex(out, byte, 2);
    }
}

}  // namespace

std::string VisibleText(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        char32_t c = 0;
        const std::size_t length = SequenceAt(text, at, c);
        if (length == 0 || c < 0x20 || c == 0x7F) {
            AppendByteEscape(shown, static_cast<unsigned char>(text[at]));
            ++at;
            continue;
        }
        if (c == '\\') {
            shown += "\\\\";
        } else if (IsShownAsCodePoint(c)) {
            shown += "\\u{";
            AppendHex(shown, c, 4);
            shown += '}';
        } else {
            shown.append(text.substr(at, length));
        }
        at += length;
    }
    return shown;
}

std::string VisibleText(std::u16string_view text) {
    return VisibleText(ToUtf8(text));
}

}  // namespace zarn::tools
