#include "common/utf16_text.h"

#include <algorithm>
#include <cstdio>

namespace zarn {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

std::u16string Ascii(const char* text) {
    return std::u16string(text, text + std::char_traits<char>::length(text));
}

}  // namespace

std::string ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        // Runs of ASCII, the common case, are copied without a per-unit append.
        std::size_t run = i;
        while (run < text.size() && text[run] < 0x80)
            ++run;
        std::size_t start = out.size();
        out.resize(start + (run - i));
        std::transform(text.begin() + i, text.begin() + run, out.begin() + start,
                       [](char16_t unit) { return static_cast<char>(unit); });
        i = run;
        if (i == text.size())
            break;
        char16_t unit = text[i];
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            char32_t cp = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
                          (static_cast<char32_t>(text[i + 1]) - 0xDC00);
            AppendUtf8(out, cp);
            ++i;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            AppendUtf8(out, kReplacement);
        } else {
            AppendUtf8(out, unit);
        }
        ++i;
    }
    return out;
}

std::u16string FromUtf8(std::string_view text) {
    // Every sequence, valid or not, gives at most one unit per byte it takes, so the text is
    // written in place and cut to length at the end.
    std::u16string out(text.size(), u'\0');
    char16_t* next = out.data();
    auto append = [&next](char32_t cp) {
        if (cp < 0x10000) {
            *next++ = static_cast<char16_t>(cp);
        } else {
            cp -= 0x10000;
            *next++ = static_cast<char16_t>(0xD800 + (cp >> 10));
            *next++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        }
    };
    std::size_t i = 0;
    while (i < text.size()) {
        auto lead = static_cast<unsigned char>(text[i]);
        int extra = 0;
        char32_t cp = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            *next++ = lead;
            ++i;
            continue;
        }
        if ((lead & 0xE0) == 0xC0) {
            extra = 1, cp = lead & 0x1F, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2, cp = lead & 0x0F, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3, cp = lead & 0x07, minimum = 0x10000;
        } else {
            append(kReplacement);
            ++i;
            continue;
        }
        std::size_t j = 1;
        for (; j <= static_cast<std::size_t>(extra); ++j) {
            if (i + j >= text.size())
                break;
            auto byte = static_cast<unsigned char>(text[i + j]);
            if ((byte & 0xC0) != 0x80)
                break;
            cp = (cp << 6) | (byte & 0x3F);
        }
        if (j != static_cast<std::size_t>(extra) + 1 || cp < minimum || cp > 0x10FFFF ||
            (cp >= 0xD800 && cp <= 0xDFFF)) {
            append(kReplacement);
            i += j;
            continue;
        }
        append(cp);
        i += j;
    }
    out.resize(static_cast<std::size_t>(next - out.data()));
    return out;
}

std::u16string Decimal(std::int64_t value) {
    return Ascii(std::to_string(value).c_str());
}

std::u16string TwoDigits(std::int32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", static_cast<int>(value));
    return Ascii(buffer);
}

std::u16string Hex8(std::uint32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08lX", static_cast<unsigned long>(value));
    return Ascii(buffer);
}

std::u16string FillTemplate(std::u16string_view format,
                            std::initializer_list<std::u16string_view> args) {
    std::u16string out;
    auto next = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != u'%' || i + 1 >= format.size()) {
            out += format[i];
            continue;
        }
        if (format[i + 1] == u'%') {
            out += u'%';
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        while (end < format.size() &&
               (format[end] == u'0' || (format[end] >= u'1' && format[end] <= u'9') ||
                format[end] == u'l')) {
            ++end;
        }
        if (end < format.size() &&
            (format[end] == u's' || format[end] == u'd' || format[end] == u'i')) {
            if (next != args.end())
                out += *next++;
            i = end;
        } else {
            out += format[i];
        }
    }
    return out;
}

std::u16string Trim(std::u16string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return std::u16string(text.substr(begin, end - begin));
}

std::u16string TruncateUnits(std::u16string_view text, std::size_t maxUnits) {
    if (text.size() <= maxUnits)
        return std::u16string(text);
    std::size_t cut = maxUnits;
    if (cut > 0 && IsHighSurrogate(text[cut - 1]) && IsLowSurrogate(text[cut]))
        --cut;
    return std::u16string(text.substr(0, cut));
}

}  // namespace zarn
