#include "common/resource_texts.h"

#include <gtest/gtest.h>

#include "resources/string_ids.h"

namespace zarn {
namespace {

// The platform's texts with an empty string table.
class NoStrings : public Texts {
  public:
    std::optional<std::u16string> StringResource(std::uint32_t) override { return std::nullopt; }
    std::u16string FormatMessageText(const std::u16string& messageTemplate,
                                     const std::vector<std::u16string>& inserts) override {
        return PlatformTexts().FormatMessageText(messageTemplate, inserts);
    }
    std::optional<std::u16string> SystemErrorText(HResult code) override {
        return PlatformTexts().SystemErrorText(code);
    }
    std::optional<std::vector<std::uint16_t>> ModuleProductVersion() override {
        return PlatformTexts().ModuleProductVersion();
    }
};

TEST(ResourceTexts, FormatTheRetrieveFailureAsTwoLines) {
    std::u16string text = FormatResourceMessage(PlatformTexts(), IDS_RETRIEVE_FAILED,
                                                {u"http://h/docStore/store/%2", u"boom %1"});
    EXPECT_EQ(text, u"Failed to retrieve data from http://h/docStore/store/%2.\nMessage: boom %1");
    EXPECT_EQ(ResourceText(PlatformTexts(), IDS_SETUP_CAPTION), u"DocStore Setup");
}

TEST(ResourceTexts, AMissingStringGivesQuestionMarks) {
    EXPECT_EQ(FormatResourceMessage(PlatformTexts(), 4711, {u"x"}), u"???");
    NoStrings noStrings;
    EXPECT_EQ(FormatResourceMessage(noStrings, IDS_RETRIEVE_FAILED, {u"u", u"e"}), u"???");
    EXPECT_EQ(ResourceText(noStrings, IDS_SETUP_CAPTION), u"???");
}

}  // namespace
}  // namespace zarn
