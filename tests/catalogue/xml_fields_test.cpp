#include "catalogue/xml_fields.h"

#include <gtest/gtest.h>

#include "common/utf16_text.h"

namespace zarn {
namespace {

TEST(ParseInteger, ReadsLikeTheCLibrary) {
    EXPECT_EQ(ParseInteger(u"42"), 42);
    EXPECT_EQ(ParseInteger(u"-17"), -17);
    EXPECT_EQ(ParseInteger(u"+8"), 8);
    EXPECT_EQ(ParseInteger(u"007"), 7);
    EXPECT_EQ(ParseInteger(u" \t\r\n\v\f12"), 12);
    EXPECT_EQ(ParseInteger(u"12abc"), 12);
    EXPECT_EQ(ParseInteger(u"3.9"), 3);
    EXPECT_EQ(ParseInteger(u"12 34"), 12);
}

TEST(ParseInteger, TextWithoutDigitsIsZero) {
    EXPECT_EQ(ParseInteger(u""), 0);
    EXPECT_EQ(ParseInteger(u"   "), 0);
    EXPECT_EQ(ParseInteger(u"abc"), 0);
    EXPECT_EQ(ParseInteger(u"-"), 0);
    EXPECT_EQ(ParseInteger(u"+-1"), 0);
    EXPECT_EQ(ParseInteger(u"- 1"), 0);
    EXPECT_EQ(ParseInteger(u"0x1F"), 0);
    // Digits of other scripts are no digits.
    EXPECT_EQ(ParseInteger(u"\u0661\u0662"), 0);
    EXPECT_EQ(ParseInteger(u"\u00A05"), 0);
}

TEST(ParseInteger, ClampsToTheSigned32BitRange) {
    EXPECT_EQ(ParseInteger(u"2147483647"), INT32_MAX);
    EXPECT_EQ(ParseInteger(u"-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseInteger(u"2147483648"), INT32_MAX);
    EXPECT_EQ(ParseInteger(u"-2147483649"), INT32_MIN);
    // Would wrap to 1 if truncated to 32 bits.
    EXPECT_EQ(ParseInteger(u"4294967297"), INT32_MAX);
    EXPECT_EQ(ParseInteger(u"-99999999999999999999999999999999999999"), INT32_MIN);
    EXPECT_EQ(ParseInteger(std::u16string(100000, u'9')), INT32_MAX);
    EXPECT_EQ(ParseInteger(u"000000000000000000000000000000000000001"), 1);
}

TEST(ParseNumberFlag, IsTrueOnlyForTheNumberOne) {
    for (const char16_t* text : {u"1", u"+1", u"01", u"  1", u"1abc", u"\t1 "}) {
        EXPECT_TRUE(ParseNumberFlag(text)) << ToUtf8(text);
    }
    for (const char16_t* text : {u"true", u"YES", u"2", u"", u"-1", u"0", u"4294967297", u"x1"}) {
        EXPECT_FALSE(ParseNumberFlag(text)) << ToUtf8(text);
    }
}

TEST(ParseWordFlag, IsTrueOnlyForYesInAnyLetterCase) {
    for (const char16_t* text : {u"YES", u"yes", u"Yes", u"yEs"}) {
        EXPECT_TRUE(ParseWordFlag(text));
    }
    for (const char16_t* text : {u"1", u"Y", u"", u" YES", u"YES ", u"YESS", u"true", u"no"}) {
        EXPECT_FALSE(ParseWordFlag(text));
    }
}

}  // namespace
}  // namespace zarn
