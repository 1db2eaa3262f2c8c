#include "catalogue/key_data_type.h"

#include <gtest/gtest.h>

#include "catalogue/doc_store_key.h"

namespace zarn {
namespace {

TEST(KeyTypeFromName, RecognisesEveryTypeWordInAnyLetterCase) {
    const char16_t* names[] = {u"SMALLINT",  u"INTEGER", u"BIGINT", u"CHAR",  u"VARCHAR",
                               u"TIMESTAMP", u"DATE",    u"TIME",   u"FLOAT", u"REAL",
                               u"DOUBLE",    u"DECIMAL", u"NUMERIC"};
    for (int code = 0; code < 13; ++code) {
        EXPECT_EQ(KeyTypeFromName(names[code]), static_cast<KeyDataType>(code)) << code;
    }
    EXPECT_EQ(KeyTypeFromName(u"integer"), KeyDataType::kInteger);
    EXPECT_EQ(KeyTypeFromName(u"Integer"), KeyDataType::kInteger);
    EXPECT_EQ(KeyTypeFromName(u"varChar"), KeyDataType::kVarChar);
}

TEST(KeyTypeFromName, AnythingButAnExactWordIsUnknown) {
    EXPECT_EQ(KeyTypeFromName(u""), KeyDataType::kUnknown);
    EXPECT_EQ(KeyTypeFromName(u"UNKNOWN"), KeyDataType::kUnknown);
    EXPECT_EQ(KeyTypeFromName(u" CHAR"), KeyDataType::kUnknown);
    EXPECT_EQ(KeyTypeFromName(u"CHAR "), KeyDataType::kUnknown);
    EXPECT_EQ(KeyTypeFromName(u"VARCHAR(20)"), KeyDataType::kUnknown);
    EXPECT_EQ(KeyTypeFromName(u"TIMES"), KeyDataType::kUnknown);
    EXPECT_EQ(KeyTypeFromName(u"INT"), KeyDataType::kUnknown);
    // Only a to z are upper-cased: a dotless i or a full-width letter is no match.
    EXPECT_EQ(KeyTypeFromName(u"\u0131nteger"), KeyDataType::kUnknown);
    EXPECT_EQ(KeyTypeFromName(u"\uFF23HAR"), KeyDataType::kUnknown);
}

std::u16string Describe(KeyDataType type, std::int32_t size, std::int32_t scale) {
    DocStoreKey key;
    key.type = type;
    key.size = size;
    key.scale = scale;
    return key.TypeDescription();
}

TEST(TypeDescription, DescribesEachTypeWithItsSizeAndScale) {
    EXPECT_EQ(Describe(KeyDataType::kSmallInt, 5, 1), u"Numeric (-32768 to +32767)");
    EXPECT_EQ(Describe(KeyDataType::kInteger, 0, 0), u"Numeric (-2147483648 to +2147483647)");
    EXPECT_EQ(Describe(KeyDataType::kBigInt, 0, 0),
              u"Numeric (-9223372036854775808 to +9223372036854775807)");
    EXPECT_EQ(Describe(KeyDataType::kChar, 0, 0), u"Text (Length: 0)");
    EXPECT_EQ(Describe(KeyDataType::kVarChar, 254, 3), u"Text (Max Length: 254)");
    EXPECT_EQ(Describe(KeyDataType::kTimeStamp, 0, 0),
              u"TimeStamp (Format: YYYY-MM-DD HH:MM:SS:DDDD)");
    EXPECT_EQ(Describe(KeyDataType::kDate, 0, 0), u"Date (Format: YYYY-MM-DD)");
    EXPECT_EQ(Describe(KeyDataType::kTime, 0, 0), u"Time (Format: HH:MM:SS)");
    EXPECT_EQ(Describe(KeyDataType::kFloat, 0, 0), u"Real (32 bit floating point)");
    EXPECT_EQ(Describe(KeyDataType::kReal, 0, 0), u"Real (32 bit floating point)");
    EXPECT_EQ(Describe(KeyDataType::kDouble, 0, 0), u"Real (64 bit floating point)");
    EXPECT_EQ(Describe(KeyDataType::kDecimal, 10, 2), u"Decimal (10, 2)");
    EXPECT_EQ(Describe(KeyDataType::kNumeric, 7, -3), u"Decimal (7, -3)");
    EXPECT_EQ(Describe(KeyDataType::kUnknown, 10, 2), u"Unknown");
}

TEST(TypeDescription, PrintsExtremeSizesAndCodesOutsideTheTableAsUnknown) {
    EXPECT_EQ(Describe(KeyDataType::kChar, -5, 0), u"Text (Length: -5)");
    EXPECT_EQ(Describe(KeyDataType::kDecimal, INT32_MIN, INT32_MAX),
              u"Decimal (-2147483648, 2147483647)");
    EXPECT_EQ(Describe(static_cast<KeyDataType>(14), 1, 1), u"Unknown");
    EXPECT_EQ(Describe(static_cast<KeyDataType>(-1), 1, 1), u"Unknown");
}

}  // namespace
}  // namespace zarn
