#include <gtest/gtest.h>

#include "common/utf16_text.h"
#include "resources/control_ids.h"
#include "resources/dialog_templates.h"
#include "setup/parameters_page.h"
#include "tests/setup/setup_test_support.h"

namespace zarn::test {
namespace {

int Value(int row) {
    return IDC_PARAMETER_VALUE_FIRST + row;
}
int Button(int row) {
    return IDC_PARAMETER_SOURCE_FIRST + row;
}
int Label(int row) {
    return IDC_PARAMETER_LABEL_FIRST + row;
}

class ParametersPageTest : public PageTest {
  protected:
    ParametersPageTest() { setup.record->indexFields = {{u"Amount", u""}}; }
    // Chooses the store and document type as the General page would.
    void Choose(std::u16string store, std::u16string type) {
        settings.Named(NamedSlot::docStoreName) = {std::move(store), host::KFX_REL_TEXTCONSTANT};
        settings.Named(NamedSlot::docTypeName) = {std::move(type), host::KFX_REL_TEXTCONSTANT};
    }
    std::vector<std::u16string> Labels(MemoryDialog& dialog) {
        std::vector<std::u16string> labels;
        for (int row = 0; row < kParameterRows; ++row)
            labels.push_back(dialog.GetText(Label(row)));
        return labels;
    }
    static std::vector<std::u16string> NumberLabels(int first, int count) {
        std::vector<std::u16string> labels;
        for (int n = first; n < first + count; ++n)
            labels.push_back(u"Parameter " + Decimal(n) + u":");
        return labels;
    }
    static std::vector<std::u16string> Join(std::vector<std::u16string> a,
                                            const std::vector<std::u16string>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }

    CPropertyPageSetupParms longPage{settings, u"Parameters Long", 0, 10, 132};
    CPropertyPageSetupParms shortPage{settings, u"Parameters Short", 10, 8, 64};
};

TEST_F(ParametersPageTest, TheShortPageShowsParameters11To18) {
    LoadSettings();
    MemoryDialog& dialog = Open(shortPage);
    EXPECT_EQ(shortPage.Title(), u"Parameters Short");
    EXPECT_EQ(Labels(dialog), Join(NumberLabels(11, 8), {u"", u""}));
    for (int row : {8, 9}) {
        EXPECT_FALSE(dialog.IsShown(Value(row)));
        EXPECT_FALSE(dialog.IsShown(Button(row)));
    }
    for (int row = 0; row < 8; ++row) {
        EXPECT_TRUE(dialog.IsShown(Value(row)));
        EXPECT_EQ(dialog.SelectiveEdit(Value(row))->maxLength, 64);
    }
}

TEST_F(ParametersPageTest, TwelveKeysLabelBothPagesInSortOrder) {
    LoadCatalogue({{"Invoices", "", {NumberedKeys("Invoice", 12)}}});
    Choose(u"Invoices", u"Invoice");
    std::vector<std::u16string> descriptions;
    for (int n = 1; n <= 12; ++n)
        descriptions.push_back(u"Description " + Decimal(n) + u":");

    MemoryDialog& longDialog = Open(longPage);
    EXPECT_EQ(Labels(longDialog),
              std::vector<std::u16string>(descriptions.begin(), descriptions.begin() + 10));
    EXPECT_EQ(longDialog.SelectiveEdit(Value(0))->maxLength, 132);
    std::unique_ptr<MemoryDialog> first = std::move(window);
    MemoryDialog& shortDialog = Open(shortPage);
    EXPECT_EQ(Labels(shortDialog),
              Join({descriptions[10], descriptions[11]}, Join(NumberLabels(13, 6), {u"", u""})));
}

TEST_F(ParametersPageTest, KeysWithoutDescriptionOrWithoutAKey) {
    DocTypeSpec type{
        "Invoice", "", {{"A", "First"}, {"B", ""}, {"Gone", "Missing", false}, {"C", "Third"}}};
    LoadCatalogue({{"Invoices", "", {type}}});
    Choose(u"Invoices", u"Invoice");
    MemoryDialog& dialog = Open(longPage);
    // A key without description keeps its row's number; a link to a missing key takes no row.
    EXPECT_EQ(Labels(dialog), Join({u"First:", u"Parameter 2:", u"Third:"}, NumberLabels(4, 7)));
}

TEST_F(ParametersPageTest, TheShortPageCountsKeysLikeTheStoredKeyNames) {
    DocTypeSpec type = NumberedKeys("Invoice", 11);
    type.keys.insert(type.keys.begin() + 2, {"Gone", "Missing", false});
    LoadCatalogue({{"Invoices", "", {type}}});
    Choose(u"Invoices", u"Invoice");
    MemoryDialog& dialog = Open(shortPage);
    EXPECT_EQ(Labels(dialog)[0], u"Description 11:");
    EXPECT_EQ(Labels(dialog)[1], u"Parameter 12:");
}

TEST_F(ParametersPageTest, LabelsFollowTheChosenTypeAtEveryActivation) {
    LoadCatalogue({{"Invoices", "", {NumberedKeys("Invoice", 2), {"Memo", "", {}}}}});
    Choose(u"Invoices", u"Invoice");
    MemoryDialog& dialog = Open(longPage);
    EXPECT_EQ(dialog.GetText(Label(0)), u"Description 1:");
    Choose(u"Invoices", u"Memo");
    ASSERT_TRUE(longPage.OnSetActive());
    EXPECT_EQ(Labels(dialog), NumberLabels(1, 10));
    Choose(u"invoices", u"Invoice");  // names are case-sensitive
    ASSERT_TRUE(longPage.OnSetActive());
    EXPECT_EQ(Labels(dialog), NumberLabels(1, 10));
}

TEST_F(ParametersPageTest, TypingAndMapping) {
    setup.record->links = {{u"Amount", host::KFX_REL_INDEXFIELD, u"02"},
                           {u"typed", host::KFX_REL_TEXTCONSTANT, u"12"}};
    LoadSettings();
    MemoryDialog& dialog = Open(longPage);
    EXPECT_EQ(dialog.GetText(Value(2)), u"Amount");
    EXPECT_FALSE(dialog.IsEnabled(Value(2)));
    EXPECT_FALSE(dialog.Type(Value(2), u"x"));
    // Unmapped parameters show an empty, disabled box.
    EXPECT_FALSE(dialog.IsEnabled(Value(0)));

    dialog.ChooseInNextMenu(u"Text Constant");
    ASSERT_TRUE(dialog.Click(Button(2)));
    EXPECT_EQ(dialog.Menus().back().anchorId, Button(2));
    EXPECT_TRUE(dialog.IsEnabled(Value(2)));
    EXPECT_EQ(dialog.GetText(Value(2)), u"");
    ASSERT_TRUE(dialog.Type(Value(2), u"INV-1"));
    EXPECT_EQ(settings.numbered[2].source, u"INV-1");
    EXPECT_EQ(settings.numbered[2].sourceType, host::KFX_REL_TEXTCONSTANT);

    dialog.ChooseInNextMenu(u"Amount");
    ASSERT_TRUE(dialog.Click(Button(5)));
    EXPECT_EQ(settings.numbered[5].source, u"Amount");
    EXPECT_EQ(settings.numbered[5].sourceType, host::KFX_REL_INDEXFIELD);
    EXPECT_EQ(dialog.GetText(Value(5)), u"Amount");

    // The short page's rows are slots 10 and up.
    std::unique_ptr<MemoryDialog> first = std::move(window);
    MemoryDialog& shortDialog = Open(shortPage);
    EXPECT_EQ(shortDialog.GetText(Value(2)), u"typed");
    shortDialog.ChooseInNextMenu(u"No Mapping");
    ASSERT_TRUE(shortDialog.Click(Button(2)));
    EXPECT_EQ(settings.numbered[12].sourceType, host::KFX_REL_UNDEFINED_LINK);
    EXPECT_EQ(settings.numbered[2].sourceType, host::KFX_REL_TEXTCONSTANT);
}

TEST_F(ParametersPageTest, AStoredValueLongerThanTheBoxIsShownCutButKept) {
    const std::u16string stored(70, u'v');
    setup.record->links = {{stored, host::KFX_REL_TEXTCONSTANT, u"10"}};
    LoadSettings();
    MemoryDialog& dialog = Open(shortPage);
    EXPECT_EQ(dialog.GetText(Value(0)), std::u16string(64, u'v'));
    EXPECT_GE(services.ui.beeps, 1);
    EXPECT_EQ(settings.numbered[10].source, stored);
    ASSERT_TRUE(shortPage.OnSetActive());
    EXPECT_EQ(settings.numbered[10].source, stored);
    ASSERT_TRUE(dialog.Type(Value(0), u"w"));
    EXPECT_EQ(settings.numbered[10].source, u"w" + std::u16string(63, u'v'));
}

}  // namespace
}  // namespace zarn::test
