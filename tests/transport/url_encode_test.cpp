#include "transport/url_encode.h"

#include <gtest/gtest.h>

namespace zarn {
namespace {

TEST(UrlEncode, EncodesEverythingButUnreservedCharacters) {
    EXPECT_EQ(UrlEncode(u"My Store"), u"My%20Store");
    EXPECT_EQ(UrlEncode(u"a/b"), u"a%2Fb");
    EXPECT_EQ(UrlEncode(u"caf\u00E9"), u"caf%C3%A9");
    EXPECT_EQ(UrlEncode(u"AZaz09-_.!~*'()"), u"AZaz09-_.!~*'()");
    EXPECT_EQ(UrlEncode(u"+%?#&="), u"%2B%25%3F%23%26%3D");
    EXPECT_EQ(UrlEncode(u""), u"");
}

}  // namespace
}  // namespace zarn
