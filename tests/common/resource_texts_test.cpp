#include "common/resource_texts.h"

#include <gtest/gtest.h>

#include "resources/string_ids.h"
#include "tests/support/fixed_texts.h"

namespace zarn {
namespace {

TEST(ResourceTexts, FormatTheRetrieveFailureAsTwoLines) {
    std::u16string text = FormatResourceMessage(PlatformTexts(), IDS_RETRIEVE_FAILED,
                                                {u"http://h/docStore/store/%2", u"boom %1"});
    EXPECT_EQ(text, u"Failed to retrieve data from http://h/docStore/store/%2.\nMessage: boom %1");
    EXPECT_EQ(ResourceText(PlatformTexts(), IDS_SETUP_CAPTION), u"DocStore Setup");
}

TEST(ResourceTexts, AMissingStringGivesQuestionMarks) {
    EXPECT_EQ(FormatResourceMessage(PlatformTexts(), 4711, {u"x"}), u"???");
    test::FixedTexts noStrings;
    EXPECT_EQ(FormatResourceMessage(noStrings, IDS_RETRIEVE_FAILED, {u"u", u"e"}), u"???");
    EXPECT_EQ(ResourceText(noStrings, IDS_SETUP_CAPTION), u"???");
}

}  // namespace
}  // namespace zarn
