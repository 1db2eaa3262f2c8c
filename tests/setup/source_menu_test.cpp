#include <gtest/gtest.h>

#include "common/utf16_text.h"
#include "resources/control_ids.h"
#include "setup/source_menu.h"
#include "tests/setup/setup_test_support.h"

namespace zarn::test {
namespace {

class SourceMenuTest : public testing::Test {
  protected:
    SourceMenuTest() {
        setup.record->indexFields = {{u"Invoice Number", u""}, {u"Amount", u""}};
        setup.record->batchVariableNames = {u"Batch Name", u"Scan Operator"};
        EXPECT_TRUE(LoadCaptureValueNames(settings));
    }
    const MenuItem* Submenu(const MenuDescription& menu, std::u16string_view text) {
        for (const MenuItem& item : menu) {
            if (item.IsSubmenu() && item.text == text)
                return &item;
        }
        return nullptr;
    }

    TestServices services;
    CDocStoreManager catalogue{services.services};
    SimSetup setup;
    ReleaseSettings settings{setup.data.get(), catalogue};
};

TEST_F(SourceMenuTest, FixedCommandsThenIndexFieldsThenCaptureValues) {
    const LinkSlot target{u"Amount", host::KFX_REL_INDEXFIELD};
    MenuDescription menu = BuildSourceMenu(settings, target);
    ASSERT_EQ(menu.size(), 4u);
    EXPECT_EQ(menu[0].id, 32777);
    EXPECT_EQ(menu[0].text, u"Text Constant");
    EXPECT_EQ(menu[1].id, 32779);
    EXPECT_EQ(menu[1].text, u"No Mapping");
    EXPECT_FALSE(menu[0].checked);
    EXPECT_FALSE(menu[1].checked);
    EXPECT_EQ(menu[2].text, u"Document Index Fields");
    ASSERT_EQ(menu[2].submenu.size(), 2u);
    EXPECT_EQ(menu[2].submenu[0].id, 28417);
    EXPECT_EQ(menu[2].submenu[0].text, u"Invoice Number");
    EXPECT_FALSE(menu[2].submenu[0].checked);
    EXPECT_EQ(menu[2].submenu[1].id, 28418);
    EXPECT_TRUE(menu[2].submenu[1].checked);
    EXPECT_EQ(menu[3].text, u"Kofax Capture Values");
    ASSERT_EQ(menu[3].submenu.size(), 2u);
    EXPECT_EQ(menu[3].submenu[0].id, 28160);
    EXPECT_EQ(menu[3].submenu[1].id, 28161);
    EXPECT_EQ(menu[3].submenu[1].text, u"Scan Operator");
}

TEST_F(SourceMenuTest, CheckMarks) {
    auto checks = [this](const LinkSlot& target) {
        MenuDescription menu = BuildSourceMenu(settings, target);
        std::vector<bool> marks = {menu[0].checked, menu[1].checked};
        for (const MenuItem& item : menu[2].submenu)
            marks.push_back(item.checked);
        for (const MenuItem& item : menu[3].submenu)
            marks.push_back(item.checked);
        return marks;
    };
    using Marks = std::vector<bool>;
    EXPECT_EQ(checks({u"x", host::KFX_REL_TEXTCONSTANT}),
              (Marks{true, false, false, false, false, false}));
    EXPECT_EQ(checks({u"", host::KFX_REL_UNDEFINED_LINK}),
              (Marks{false, true, false, false, false, false}));
    // Names differing in letter case are different names; a Capture value is never checked.
    EXPECT_EQ(checks({u"amount", host::KFX_REL_INDEXFIELD}),
              (Marks{false, false, false, false, false, false}));
    EXPECT_EQ(checks({u"Batch Name", host::KFX_REL_VARIABLE}),
              (Marks{false, false, false, false, false, false}));
    // The same name mapped as a Capture value is no index field.
    EXPECT_EQ(checks({u"Amount", host::KFX_REL_VARIABLE}),
              (Marks{false, false, false, false, false, false}));
}

TEST_F(SourceMenuTest, SubmenusFollowWhatTheHostOffers) {
    setup.record->indexFields.clear();
    settings.captureValueNames.clear();
    MenuDescription menu = BuildSourceMenu(settings, LinkSlot{});
    ASSERT_EQ(menu.size(), 3u);
    EXPECT_EQ(menu[2].text, u"Document Index Fields");
    EXPECT_TRUE(menu[2].submenu.empty());
    EXPECT_TRUE(menu[2].IsSubmenu());

    setup.host.Failures().Fail("ReleaseSetupData.GetIndexFields");
    EXPECT_EQ(BuildSourceMenu(settings, LinkSlot{}).size(), 2u);
}

TEST_F(SourceMenuTest, AnIndexFieldTheHostCannotGiveIsLeftOut) {
    setup.host.Failures().Fail(
        {"IndexFields.GetItem", kFail, 0, host::CollectionKey(std::int32_t{1})});
    MenuDescription menu = BuildSourceMenu(settings, LinkSlot{});
    ASSERT_EQ(menu[2].submenu.size(), 1u);
    EXPECT_EQ(menu[2].submenu[0].id, 28418);
}

TEST_F(SourceMenuTest, OnlyAsManyEntriesAsTheCommandRangesHold) {
    setup.record->indexFields.clear();
    for (int i = 0; i < 300; ++i) {
        setup.record->indexFields.push_back({u"F" + Decimal(i), u""});
        settings.captureValueNames.push_back(u"V" + Decimal(i));
    }
    MenuDescription menu = BuildSourceMenu(settings, LinkSlot{});
    EXPECT_EQ(menu[2].submenu.size(), 255u);
    EXPECT_EQ(menu[2].submenu.back().id, 28671);
    EXPECT_EQ(menu[3].submenu.size(), 256u);
    EXPECT_EQ(menu[3].submenu.back().id, 28415);
}

TEST_F(SourceMenuTest, Commands) {
    LinkSlot slot{u"typed", host::KFX_REL_TEXTCONSTANT};
    EXPECT_TRUE(ApplySourceCommand(settings, 28418, slot));
    EXPECT_EQ(slot.source, u"Amount");
    EXPECT_EQ(slot.sourceType, host::KFX_REL_INDEXFIELD);
    EXPECT_TRUE(ApplySourceCommand(settings, 28161, slot));
    EXPECT_EQ(slot.source, u"Scan Operator");
    EXPECT_EQ(slot.sourceType, host::KFX_REL_VARIABLE);
    EXPECT_TRUE(ApplySourceCommand(settings, ID_SOURCE_NO_MAPPING, slot));
    EXPECT_EQ(slot.source, u"");
    EXPECT_EQ(slot.sourceType, host::KFX_REL_UNDEFINED_LINK);
    slot = {u"typed", host::KFX_REL_TEXTCONSTANT};
    EXPECT_TRUE(ApplySourceCommand(settings, ID_SOURCE_TEXT_CONSTANT, slot));
    EXPECT_EQ(slot.source, u"");
    EXPECT_EQ(slot.sourceType, host::KFX_REL_TEXTCONSTANT);
}

TEST_F(SourceMenuTest, CommandsThatCannotBeCarriedOutChangeNothing) {
    const LinkSlot before{u"typed", host::KFX_REL_TEXTCONSTANT};
    LinkSlot slot = before;
    for (int command : {28162, 28415, 28416, 28419, 28672, 28159, 1}) {
        EXPECT_FALSE(ApplySourceCommand(settings, command, slot)) << command;
    }
    setup.host.Failures().Fail("ReleaseSetupData.GetIndexFields");
    EXPECT_FALSE(ApplySourceCommand(settings, 28417, slot));
    setup.host.Failures().ClearRules();
    setup.host.Failures().Fail("IndexField.GetName");
    EXPECT_FALSE(ApplySourceCommand(settings, 28417, slot));
    EXPECT_EQ(slot.source, before.source);
    EXPECT_EQ(slot.sourceType, before.sourceType);
    EXPECT_TRUE(IsSourceCommand(28416));
    EXPECT_TRUE(IsSourceCommand(28160));
    EXPECT_FALSE(IsSourceCommand(28672));
    EXPECT_FALSE(IsSourceCommand(28159));
}

}  // namespace
}  // namespace zarn::test
