#include "common/utf16_text.h"

#include <gtest/gtest.h>

namespace zarn {
namespace {

TEST(Utf8, RoundTripsBmpAndSupplementaryCharacters) {
    std::u16string text = u"A\u00E9\u20AC\U0001F600";
    std::string utf8 = ToUtf8(text);
    EXPECT_EQ(utf8, "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(FromUtf8(utf8), text);
}

TEST(Utf8, ReplacesUnpairedSurrogatesAndInvalidBytes) {
    EXPECT_EQ(ToUtf8(std::u16string(1, char16_t{0xD800}) + u"x"), "\xEF\xBF\xBDx");
    EXPECT_EQ(FromUtf8("a\xFF"
                       "b"),
              u"a\uFFFDb");
    EXPECT_EQ(FromUtf8("\xC3"), u"\uFFFD");          // cut sequence
    EXPECT_EQ(FromUtf8("\xC0\xAF"), u"\uFFFD");      // overlong form
    EXPECT_EQ(FromUtf8("\xED\xA0\x80"), u"\uFFFD");  // encoded surrogate
}

TEST(FillTemplate, FillsPlaceholdersInOrderWithoutRescanning) {
    EXPECT_EQ(FillTemplate(u"HTTP Request returned %d (%s) %s", {u"500", u"%s", u""}),
              u"HTTP Request returned 500 (%s) ");
    EXPECT_EQ(FillTemplate(u"docTypeKeyName[%s]", {u"03"}), u"docTypeKeyName[03]");
    EXPECT_EQ(FillTemplate(u"100%% %i", {u"7"}), u"100% 7");
    EXPECT_EQ(FillTemplate(u"%s and %s", {u"one"}), u"one and ");
}

TEST(NumberTexts, MatchPrintfForms) {
    EXPECT_EQ(Decimal(-42), u"-42");
    EXPECT_EQ(TwoDigits(3), u"03");
    EXPECT_EQ(TwoDigits(24), u"24");
    EXPECT_EQ(Hex8(0x800C0005u), u"0x800C0005");
    EXPECT_EQ(Hex8(0x1Au), u"0x0000001A");
}

TEST(Trim, RemovesWhiteSpaceAtBothEnds) {
    EXPECT_EQ(Trim(u"  text\r\n"), u"text");
    EXPECT_EQ(Trim(u"\r\n"), u"");
}

TEST(TruncateUnits, NeverSplitsASurrogatePair) {
    std::u16string text = u"ab\U0001F600";
    EXPECT_EQ(TruncateUnits(text, 3), u"ab");
    EXPECT_EQ(TruncateUnits(text, 4), text);
    EXPECT_EQ(TruncateUnits(u"abc", 2), u"ab");
}

}  // namespace
}  // namespace zarn
