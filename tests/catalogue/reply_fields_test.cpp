#include "transport/reply_fields.h"

#include <gtest/gtest.h>

#include "tests/support/reply_bytes.h"

namespace zarn {
namespace {

TEST(SelectNodeText, ReadsTheFirstMatchOrLeavesTheValueAlone) {
    std::unique_ptr<XmlDocument> document =
        test::ParseReplyBytes("<r><a>one<i>two</i></a><a>three</a><empty/></r>");
    std::unique_ptr<XmlNode> root = document->SelectSingleNode(u"/r");
    ASSERT_NE(root, nullptr);
    std::u16string value = u"kept";
    EXPECT_FALSE(SelectNodeText(*root, u"missing", value));
    EXPECT_EQ(value, u"kept");
    EXPECT_FALSE(SelectNodeText(*root, u"][not xpath", value));
    EXPECT_EQ(value, u"kept");
    EXPECT_TRUE(SelectNodeText(*root, u"a", value));
    EXPECT_EQ(value, u"onetwo");
    EXPECT_TRUE(SelectNodeText(*root, u"empty", value));
    EXPECT_EQ(value, u"");
    EXPECT_TRUE(SelectNodeText(*document, u"/r/a[2]", value));
    EXPECT_EQ(value, u"three");
}

// Field names are looked up by a walk of the children rather than the XPath engine; both must
// find the same nodes.
TEST(SelectNodeText, ABareNameFindsWhatTheChildAxisFinds) {
    std::unique_ptr<XmlDocument> document = test::ParseReplyBytes(
        "<!DOCTYPE r [<!ENTITY e \"<name>in entity</name>\">]>"
        "<r xmlns:p=\"urn:p\"><!--name--><p:name>prefixed</p:name><x><name>nested</name></x>"
        "<name a=\"1\">first</name><name-2>dash</name-2><n.a>dot</n.a>&e;"
        "<inner xmlns=\"urn:d\"><name>defaulted</name></inner><name><![CDATA[second]]></name></r>");
    std::unique_ptr<XmlNode> root = document->SelectSingleNode(u"/r");
    ASSERT_NE(root, nullptr);
    for (std::u16string_view name : {u"name", u"name-2", u"n.a", u"p", u"x", u"inner", u"r"}) {
        std::vector<std::u16string> walked, evaluated;
        for (const auto& node : root->SelectNodes(name))
            walked.push_back(node->Text());
        for (const auto& node : root->SelectNodes(u"child::" + std::u16string(name))) {
            evaluated.push_back(node->Text());
        }
        EXPECT_EQ(walked, evaluated);
    }
    std::u16string value;
    EXPECT_TRUE(SelectNodeText(*root, u"name", value));
    EXPECT_EQ(value, u"first");
    EXPECT_EQ(root->SelectNodes(u"name").size(), 2u);
    EXPECT_TRUE(SelectNodeText(*document, u"r", value));
    EXPECT_FALSE(SelectNodeText(*document, u"name", value));
}

}  // namespace
}  // namespace zarn
