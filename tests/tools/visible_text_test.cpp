#include <gtest/gtest.h>

#include "tools/text/visible_text.h"

namespace zarn::tools {
namespace {

TEST(VisibleTextTest, ShowsControlsAndBrokenUtf8AsEscapesAndKeepsEveryOtherCharacter) {
    const struct {
        std::string_view text;
        std::string_view shown;
    } cases[] = {
        {"plain text", "plain text"},
        {"a\\nb", "a\\\\nb"},  // a backslash of the text cannot pass for an escape
        {"\n\r\t", "\\n\\r\\t"},
        {std::string_view("\x1b[31m\x07\x00\x7f", 8), "\\x1B[31m\\x07\\x00\\x7F"},
        {"\xC2\x85\xC2\x9B", "\\u{0085}\\u{009B}"},  // C1 controls: NEL, CSI
        {"a\xE2\x80\xA8"
         "b\xE2\x80\xAE"
         "c\xE2\x81\xA6",
         "a\\u{2028}b\\u{202E}c\\u{2066}"},
        {"Grüße € 𝄞 \xC2\xA0", "Grüße € 𝄞 \xC2\xA0"},
        // Each byte that is no part of well-formed UTF-8 on its own; a good character after
        // it stays whole.
        {"\xFF\x80", "\\xFF\\x80"},
        {"\xE2\x82"
         "A",
         "\\xE2\\x82A"},                                        // cut short
        {"\xC0\xAF\xE0\x80\xAF", "\\xC0\\xAF\\xE0\\x80\\xAF"},  // overlong
        {"\xED\xA0\x80", "\\xED\\xA0\\x80"},                    // a surrogate
        {"\xF4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"},           // above U+10FFFF
        {"\xF0\x9F\x98", "\\xF0\\x9F\\x98"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VisibleText(c.text), c.shown);
    }
    // A host's text: an unpaired surrogate is U+FFFD, as everywhere else.
    EXPECT_EQ(VisibleText(std::u16string(u"\u00E9\n") + char16_t(0xD800)), "é\\n\xEF\xBF\xBD");
}

}  // namespace
}  // namespace zarn::tools
