#include "catalogue/xml_fields.h"

#include <algorithm>
#include <limits>

#include "catalogue/ascii_case.h"
#include "common/utf16_text.h"
#include "transport/reply_fields.h"

namespace zarn {
namespace {

bool IsSpace(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

template <typename Field, typename Convert>
void ReadField(const XmlNode& record, std::u16string_view child, Field& field, Convert convert) {
    std::u16string text;
    if (SelectNodeText(record, child, text))
        field = convert(text);
}

}  // namespace

std::int32_t ParseInteger(std::u16string_view text) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    // Accumulated with the sign applied and held inside the 32-bit range, so that any number
    // of digits is read without overflow.
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        std::int64_t digit = text[i] - u'0';
        value = negative ? std::max(value * 10 - digit, kMin) : std::min(value * 10 + digit, kMax);
    }
    return static_cast<std::int32_t>(value);
}

bool ParseNumberFlag(std::u16string_view text) {
    return ParseInteger(text) == 1;
}

bool ParseWordFlag(std::u16string_view text) {
    return EqualsUpperCased(text, u"YES");
}

bool ReadTextField(const XmlNode& record, std::u16string_view child, std::u16string& field) {
    if (!SelectNodeText(record, child, field))
        return false;
    if (field.size() > kMaxCatalogueText)
        field = TruncateUnits(field, kMaxCatalogueText);
    return true;
}

void ReadIntegerField(const XmlNode& record, std::u16string_view child, std::int32_t& field) {
    ReadField(record, child, field, ParseInteger);
}

void ReadNumberFlagField(const XmlNode& record, std::u16string_view child, bool& field) {
    ReadField(record, child, field, ParseNumberFlag);
}

void ReadWordFlagField(const XmlNode& record, std::u16string_view child, bool& field) {
    ReadField(record, child, field, ParseWordFlag);
}

void ReadKeyTypeField(const XmlNode& record, std::u16string_view child, KeyDataType& field) {
    ReadField(record, child, field, KeyTypeFromName);
}

}  // namespace zarn
