#include "transport/wire_url.h"

#include <gtest/gtest.h>

namespace zarn {
namespace {

TEST(WireUrl, EncodesWhatAUrlCannotCarryAfterTheHost) {
    EXPECT_EQ(WireUrl(u"http://h:8080/docStore/store/My Store/document/"),
              "http://h:8080/docStore/store/My%20Store/document/");
    EXPECT_EQ(WireUrl(u"http://h/caf\u00E9?q=a b#x y"), "http://h/caf%C3%A9?q=a%20b#x%20y");
    EXPECT_EQ(WireUrl(u"http://h/a%20b/100%/%zz/%4"), "http://h/a%20b/100%25/%25zz/%254");
    EXPECT_EQ(WireUrl(u"http://h/<\"{|}\\^`>\t"), "http://h/%3C%22%7B%7C%7D%5C%5E%60%3E%09");
    EXPECT_EQ(WireUrl(u"http://h/-_.!~*'()$&+,;=:@[]"), "http://h/-_.!~*'()$&+,;=:@[]");
}

TEST(WireUrl, LeavesSchemeAndHostAlone) {
    EXPECT_EQ(WireUrl(u"http://user@h\u00E9st"), "http://user@h\xC3\xA9st");
    EXPECT_EQ(WireUrl(u"http://h\u00E9st/p q"), "http://h\xC3\xA9st/p%20q");
    EXPECT_EQ(WireUrl(u"no url at all"), "no%20url%20at%20all");
}

}  // namespace
}  // namespace zarn
