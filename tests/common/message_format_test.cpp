#include "common/message_format.h"

#include <gtest/gtest.h>

namespace zarn {
namespace {

TEST(FormatMessageTemplate, ReplacesNumberedInsertsAndKeepsLineFeeds) {
    EXPECT_EQ(FormatMessageTemplate(u"Failed to retrieve data from %1.\nMessage: %2",
                                    {u"http://h/docStore/store/", u"boom"}),
              u"Failed to retrieve data from http://h/docStore/store/.\nMessage: boom");
}

TEST(FormatMessageTemplate, NeverRescansInserts) {
    EXPECT_EQ(FormatMessageTemplate(u"%2-%1", {u"%2", u"%1"}), u"%1-%2");
}

TEST(FormatMessageTemplate, HandlesEscapesAndFormatSpecifiers) {
    EXPECT_EQ(FormatMessageTemplate(u"100%% %1!s! %n%t%.", {u"x"}), u"100% x \r\n\t.");
    EXPECT_EQ(FormatMessageTemplate(u"cut%0here", {}), u"cut");
    EXPECT_EQ(FormatMessageTemplate(u"%3 missing", {u"a"}), u" missing");
    EXPECT_EQ(FormatMessageTemplate(u"%12", std::vector<std::u16string>(12, u"z")), u"z");
}

}  // namespace
}  // namespace zarn
