#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zarn {

// The catalogue's own code for a key's SQL-style data type, as the server names it.
enum class KeyDataType : std::int32_t {
    kSmallInt = 0,
    kInteger = 1,
    kBigInt = 2,
    kChar = 3,
    kVarChar = 4,
    kTimeStamp = 5,
    kDate = 6,
    kTime = 7,
    kFloat = 8,
    kReal = 9,
    kDouble = 10,
    kDecimal = 11,
    kNumeric = 12,
    kUnknown = 13,
};

// The code of a type word in any letter case; any other text, blanks around the word included,
// gives kUnknown.
KeyDataType KeyTypeFromName(std::u16string_view name);

// The readable description of a key's type, with its size (and scale) where the type has them.
std::u16string KeyTypeDescription(KeyDataType type, std::int32_t size, std::int32_t scale);

}  // namespace zarn
