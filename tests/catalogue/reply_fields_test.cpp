#include "transport/reply_fields.h"

#include <gtest/gtest.h>

#include "resources/string_ids.h"
#include "transport/posix/libxml2_document.h"

namespace zarn {
namespace {

// The platform's texts with an empty string table.
class NoStrings : public Texts {
  public:
    std::optional<std::u16string> LoadString(std::uint32_t) override { return std::nullopt; }
    std::u16string FormatMessage(const std::u16string& messageTemplate,
                                 const std::vector<std::u16string>& inserts) override {
        return PlatformTexts().FormatMessage(messageTemplate, inserts);
    }
    std::optional<std::u16string> SystemErrorText(HResult code) override {
        return PlatformTexts().SystemErrorText(code);
    }
    std::optional<std::vector<std::uint16_t>> ModuleProductVersion() override {
        return PlatformTexts().ModuleProductVersion();
    }
};

TEST(SelectNodeText, ReadsTheFirstMatchOrLeavesTheValueAlone) {
    std::unique_ptr<XmlDocument> document =
        ParseXmlBytes("<r><a>one<i>two</i></a><a>three</a><empty/></r>");
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

TEST(ResourceTexts, FormatTheRetrieveFailureAsTwoLines) {
    std::u16string text = FormatResourceMessage(PlatformTexts(), IDS_RETRIEVE_FAILED,
                                                {u"http://h/docStore/store/%2", u"boom %1"});
    EXPECT_EQ(text, u"Failed to retrieve data from http://h/docStore/store/%2.\nMessage: boom %1");
    EXPECT_EQ(SetupCaptionText(PlatformTexts()), u"DocStore Setup");
}

TEST(ResourceTexts, AMissingStringGivesQuestionMarks) {
    EXPECT_EQ(FormatResourceMessage(PlatformTexts(), 4711, {u"x"}), u"???");
    NoStrings noStrings;
    EXPECT_EQ(FormatResourceMessage(noStrings, IDS_RETRIEVE_FAILED, {u"u", u"e"}), u"???");
    EXPECT_EQ(SetupCaptionText(noStrings), u"???");
}

}  // namespace
}  // namespace zarn
