#include "catalogue/key_data_type.h"

#include <iterator>

#include "catalogue/ascii_case.h"
#include "common/utf16_text.h"

namespace zarn {
namespace {

struct KeyTypeEntry {
    std::u16string_view name;
    std::u16string_view description;  // %d takes the size, then the scale
};

// Indexed by code; the order is also the order in which names are compared.
constexpr KeyTypeEntry kKeyTypes[] = {
    {u"SMALLINT", u"Numeric (-32768 to +32767)"},
    {u"INTEGER", u"Numeric (-2147483648 to +2147483647)"},
    {u"BIGINT", u"Numeric (-9223372036854775808 to +9223372036854775807)"},
    {u"CHAR", u"Text (Length: %d)"},
    {u"VARCHAR", u"Text (Max Length: %d)"},
    {u"TIMESTAMP", u"TimeStamp (Format: YYYY-MM-DD HH:MM:SS:DDDD)"},
    {u"DATE", u"Date (Format: YYYY-MM-DD)"},
    {u"TIME", u"Time (Format: HH:MM:SS)"},
    {u"FLOAT", u"Real (32 bit floating point)"},
    {u"REAL", u"Real (32 bit floating point)"},
    {u"DOUBLE", u"Real (64 bit floating point)"},
    {u"DECIMAL", u"Decimal (%d, %d)"},
    {u"NUMERIC", u"Decimal (%d, %d)"},
};

constexpr std::u16string_view kUnknownDescription = u"Unknown";

}  // namespace

KeyDataType KeyTypeFromName(std::u16string_view name) {
    for (std::size_t code = 0; code < std::size(kKeyTypes); ++code) {
        if (EqualsUpperCased(name, kKeyTypes[code].name))
            return static_cast<KeyDataType>(code);
    }
    return KeyDataType::kUnknown;
}

std::u16string KeyTypeDescription(KeyDataType type, std::int32_t size, std::int32_t scale) {
    auto code = static_cast<std::size_t>(type);
    if (code >= std::size(kKeyTypes))
        return std::u16string(kUnknownDescription);
    return FillTemplate(kKeyTypes[code].description, {Decimal(size), Decimal(scale)});
}

}  // namespace zarn
