#include <gtest/gtest.h>

#include "common/texts.h"
#include "resources/control_ids.h"
#include "setup/general_page.h"
#include "tests/setup/setup_test_support.h"
#include "tests/support/fixed_texts.h"

namespace zarn::test {
namespace {

using Strings = std::vector<std::u16string>;
constexpr Colour kRed = 0x0000F0;

class GeneralPageTest : public PageTest {
  protected:
    GeneralPageTest() {
        setup.record->batchClassName = u"Invoices Batch";
        setup.record->docClassName = u"Invoice Class";
        setup.record->name = u"To the archive";
        setup.record->indexFields = {{u"Subject", u""}, {u"Amount", u""}};
        setup.record->batchVariableNames = {u"Batch Name"};
    }
    MemoryDialog& OpenGeneral() {
        LoadSettings();
        return Open(page);
    }
    // Connection settings that the Reload can use.
    void StoreConnection(std::u16string user = u"admin") {
        setup.SetProperty(u"serverURL", server.Url());
        setup.record->userName = std::move(user);
        setup.record->password = u"secret";
    }
    std::vector<std::pair<std::u16string, std::int32_t>> Named() const {
        std::vector<std::pair<std::u16string, std::int32_t>> slots;
        for (const LinkSlot& slot : settings.named)
            slots.emplace_back(slot.source, slot.sourceType);
        return slots;
    }
    const LinkSlot& Slot(NamedSlot slot) const { return settings.Named(slot); }

    CPropertyPageSetupGeneral page{settings, PlatformTexts(), services.ui};
};

TEST_F(GeneralPageTest, OpensWithTheHostsTextsAndTheStoredSettings) {
    StoreConnection();
    setup.SetProperty(u"docStore", u"Archive");
    setup.SetProperty(u"docType", u"Letter");
    setup.record->links = {{u"Subject", host::KFX_REL_INDEXFIELD, u"documentDescription"},
                           {u"", host::KFX_REL_UNDEFINED_LINK, u"docFilename"}};
    MemoryDialog& dialog = OpenGeneral();
    const auto before = Named();

    EXPECT_EQ(dialog.GetText(IDC_BATCH_CLASS), u"Invoices Batch");
    EXPECT_EQ(dialog.GetText(IDC_DOC_CLASS), u"Invoice Class");
    EXPECT_EQ(dialog.GetText(IDC_NAME), u"To the archive");
    EXPECT_EQ(dialog.GetText(IDC_SERVER_URL), server.Url());
    EXPECT_EQ(dialog.GetText(IDC_USERNAME), u"admin");
    EXPECT_EQ(dialog.GetText(IDC_PASSWORD), u"secret");
    EXPECT_EQ(dialog.PasswordChar(IDC_PASSWORD), u'*');
    EXPECT_EQ(dialog.GetText(IDC_DOC_DESCRIPTION), u"Subject");
    EXPECT_FALSE(dialog.IsEnabled(IDC_DOC_DESCRIPTION));
    EXPECT_EQ(dialog.GetText(IDC_DOC_FILENAME), u"");
    EXPECT_FALSE(dialog.IsEnabled(IDC_DOC_FILENAME));
    EXPECT_TRUE(dialog.IsEnabled(IDC_DOC_OWNER));
    EXPECT_TRUE(dialog.IsEnabled(IDC_RELOAD));
    EXPECT_EQ(dialog.GetText(IDC_DOCSTORE_DESCRIPTION), u"");
    EXPECT_EQ(dialog.GetText(IDC_DOCTYPE_DESCRIPTION), u"");
    EXPECT_TRUE(dialog.IsShown(IDC_VERSION));
    EXPECT_TRUE(dialog.IsShown(IDC_VERSION_LABEL));
    EXPECT_EQ(dialog.GetText(IDC_VERSION), u"1.0.0");
    EXPECT_EQ(dialog.SelectiveEdit(IDC_DOC_DESCRIPTION)->maxLength, 1024);
    EXPECT_EQ(dialog.SelectiveEdit(IDC_DOC_FILENAME)->maxLength, 1024);
    EXPECT_EQ(dialog.SelectiveEdit(IDC_DOC_OWNER)->maxLength, 20);
    EXPECT_EQ(dialog.SelectiveEdit(IDC_AUTHORISATION_LIST)->maxLength, 20);
    EXPECT_EQ(dialog.SelectiveEdit(IDC_SERVER_URL)->maxLength, -1);

    // Before a Reload the catalogue is empty: the stored store and type are listed in red.
    EXPECT_EQ(dialog.ListEntries(IDC_DOCSTORE), Strings{u"Archive"});
    EXPECT_EQ(dialog.EntryColour(IDC_DOCSTORE, u"Archive"), kRed);
    EXPECT_EQ(dialog.ListEntries(IDC_DOCTYPE), Strings{u"Letter"});
    EXPECT_EQ(dialog.EntryColour(IDC_DOCTYPE, u"Letter"), kRed);
    EXPECT_EQ(dialog.ListEntries(IDC_PUBLIC_AUTHORITY),
              (Strings{u" ", u"*AUTL", u"*EXCLUDE", u"*NONE", u"*R", u"*RW", u"*RWX", u"*RX", u"*W",
                       u"*WX", u"*X"}));

    EXPECT_EQ(Named(), before);
    EXPECT_EQ(server.server.RequestCount(), 0u);
    EXPECT_TRUE(setup.host.JournalOfWrites().Entries().empty());
}

TEST_F(GeneralPageTest, ShowingAStoredValueNeverCountsAsAnEdit) {
    setup.record->links = {
        {std::u16string(30, u'o'), host::KFX_REL_TEXTCONSTANT, u"authorityOwner"}};
    MemoryDialog& dialog = OpenGeneral();
    EXPECT_EQ(dialog.GetText(IDC_DOC_OWNER), std::u16string(20, u'o'));
    EXPECT_GE(services.ui.beeps, 1);
    EXPECT_EQ(Slot(NamedSlot::authorityOwner).source, std::u16string(30, u'o'));

    // Only the administrator's edit of the box changes the setting.
    ASSERT_TRUE(dialog.Retype(IDC_DOC_OWNER, u"Finance"));
    EXPECT_EQ(Slot(NamedSlot::authorityOwner).source, u"Finance");
}

TEST_F(GeneralPageTest, TypingMakesEachSettingATextConstant) {
    setup.record->links = {{u"Subject", host::KFX_REL_TEXTCONSTANT, u"documentDescription"}};
    MemoryDialog& dialog = OpenGeneral();
    ASSERT_TRUE(dialog.Type(IDC_SERVER_URL, u"http://docs"));
    ASSERT_TRUE(dialog.Type(IDC_DOCSTORE, u"Inv"));
    ASSERT_TRUE(dialog.Type(IDC_DOCTYPE, u"Bill"));
    ASSERT_TRUE(dialog.Type(IDC_PUBLIC_AUTHORITY, u"*R"));
    ASSERT_TRUE(dialog.Retype(IDC_DOC_DESCRIPTION, u""));
    EXPECT_EQ(Slot(NamedSlot::docStoreServer).source, u"http://docs");
    EXPECT_EQ(Slot(NamedSlot::docStoreName).source, u"Inv");
    EXPECT_EQ(Slot(NamedSlot::docTypeName).source, u"Bill");
    EXPECT_EQ(Slot(NamedSlot::authorityPublic).source, u"*R");
    EXPECT_EQ(Slot(NamedSlot::documentDescription).source, u"");
    for (const LinkSlot& slot : settings.named)
        EXPECT_EQ(slot.sourceType, host::KFX_REL_TEXTCONSTANT);
    // Typing into the Name box goes to the host only at OK or Reload.
    ASSERT_TRUE(dialog.Retype(IDC_NAME, u"To the archive!"));
    EXPECT_EQ(setup.record->name, u"To the archive");
    page.OnOK();
    EXPECT_EQ(setup.record->name, u"To the archive!");
}

TEST_F(GeneralPageTest, ATwentyFirstCharacterIsCutWithABeep) {
    MemoryDialog& dialog = OpenGeneral();
    const int beeps = services.ui.beeps;
    ASSERT_TRUE(dialog.Type(IDC_DOC_OWNER, u"abcdefghijklmnopqrstu"));
    EXPECT_EQ(dialog.GetText(IDC_DOC_OWNER), u"abcdefghijklmnopqrst");
    EXPECT_EQ(Slot(NamedSlot::authorityOwner).source, u"abcdefghijklmnopqrst");
    EXPECT_EQ(services.ui.beeps, beeps + 1);
}

TEST_F(GeneralPageTest, AMappedSettingCannotBeTypedInto) {
    setup.record->links = {{u"Subject", host::KFX_REL_INDEXFIELD, u"docStoreServer"}};
    MemoryDialog& dialog = OpenGeneral();
    EXPECT_FALSE(dialog.IsEnabled(IDC_SERVER_URL));
    EXPECT_FALSE(dialog.Type(IDC_SERVER_URL, u"x"));
    EXPECT_EQ(Slot(NamedSlot::docStoreServer).source, u"Subject");
    // Without typed connection settings there is no Reload and no list filling.
    EXPECT_FALSE(dialog.IsEnabled(IDC_RELOAD));
    EXPECT_FALSE(dialog.Click(IDC_RELOAD));
    EXPECT_TRUE(dialog.ListEntries(IDC_DOCSTORE).empty());
}

TEST_F(GeneralPageTest, MappingThePasswordShowsTheSourceUnmasked) {
    MemoryDialog& dialog = OpenGeneral();
    dialog.ChooseInNextMenu(u"Amount");
    ASSERT_TRUE(dialog.Click(IDC_PASSWORD_SOURCE));
    ASSERT_EQ(dialog.Menus().size(), 1u);
    EXPECT_EQ(dialog.Menus()[0].anchorId, IDC_PASSWORD_SOURCE);
    EXPECT_TRUE(dialog.Menus()[0].menu[0].checked);  // a text constant so far
    EXPECT_EQ(Slot(NamedSlot::docStorePassword).source, u"Amount");
    EXPECT_EQ(Slot(NamedSlot::docStorePassword).sourceType, host::KFX_REL_INDEXFIELD);
    EXPECT_EQ(dialog.GetText(IDC_PASSWORD), u"Amount");
    EXPECT_FALSE(dialog.IsEnabled(IDC_PASSWORD));
    EXPECT_EQ(dialog.PasswordChar(IDC_PASSWORD), u'\0');
    EXPECT_FALSE(dialog.IsEnabled(IDC_RELOAD));

    // The next menu shows the mapping.
    dialog.ChooseInNextMenu(u"Text Constant");
    ASSERT_TRUE(dialog.Click(IDC_PASSWORD_SOURCE));
    const MenuDescription& menu = dialog.Menus()[1].menu;
    EXPECT_FALSE(menu[0].checked);
    EXPECT_FALSE(menu[1].checked);
    EXPECT_TRUE(menu[2].submenu[1].checked);
    EXPECT_EQ(dialog.GetText(IDC_PASSWORD), u"");
    EXPECT_TRUE(dialog.IsEnabled(IDC_PASSWORD));
    EXPECT_EQ(dialog.PasswordChar(IDC_PASSWORD), u'*');
    EXPECT_EQ(Slot(NamedSlot::docStorePassword).sourceType, host::KFX_REL_TEXTCONSTANT);
}

TEST_F(GeneralPageTest, EveryButtonMapsItsOwnSetting) {
    MemoryDialog& dialog = OpenGeneral();
    const std::pair<int, NamedSlot> buttons[] = {
        {IDC_SERVER_URL_SOURCE, NamedSlot::docStoreServer},
        {IDC_USERNAME_SOURCE, NamedSlot::docStoreUsername},
        {IDC_PASSWORD_SOURCE, NamedSlot::docStorePassword},
        {IDC_DOCSTORE_SOURCE, NamedSlot::docStoreName},
        {IDC_DOCTYPE_SOURCE, NamedSlot::docTypeName},
        {IDC_DOC_DESCRIPTION_SOURCE, NamedSlot::documentDescription},
        {IDC_DOC_OWNER_SOURCE, NamedSlot::authorityOwner},
        {IDC_AUTHORISATION_LIST_SOURCE, NamedSlot::authorisationList},
        {IDC_PUBLIC_AUTHORITY_SOURCE, NamedSlot::authorityPublic},
        {IDC_DOC_FILENAME_SOURCE, NamedSlot::docFilename},
    };
    for (const auto& [button, slot] : buttons) {
        dialog.ChooseInNextMenu(u"Batch Name");
        ASSERT_TRUE(dialog.Click(button));
        EXPECT_EQ(Slot(slot).source, u"Batch Name") << button;
        EXPECT_EQ(Slot(slot).sourceType, host::KFX_REL_VARIABLE);
    }
    dialog.ChooseInNextMenu(u"No Mapping");
    ASSERT_TRUE(dialog.Click(IDC_DOC_FILENAME_SOURCE));
    EXPECT_EQ(Slot(NamedSlot::docFilename).sourceType, host::KFX_REL_UNDEFINED_LINK);
    EXPECT_EQ(dialog.GetText(IDC_DOC_FILENAME), u"");
    EXPECT_FALSE(dialog.IsEnabled(IDC_DOC_FILENAME));
}

TEST_F(GeneralPageTest, AMenuClosedWithoutAChoiceChangesNothing) {
    MemoryDialog& dialog = OpenGeneral();
    const auto before = Named();
    ASSERT_TRUE(dialog.Click(IDC_DOC_OWNER_SOURCE));
    EXPECT_EQ(Named(), before);
    // A command that arrives later still meets the setting whose menu was opened.
    page.OnCommand(ID_SOURCE_NO_MAPPING);
    EXPECT_EQ(Slot(NamedSlot::authorityOwner).sourceType, host::KFX_REL_UNDEFINED_LINK);
    // Once carried out, the target is forgotten.
    page.OnCommand(ID_SOURCE_TEXT_CONSTANT);
    EXPECT_EQ(Slot(NamedSlot::authorityOwner).sourceType, host::KFX_REL_UNDEFINED_LINK);
}

TEST_F(GeneralPageTest, ReloadWithoutAUserNameAsksForCredentials) {
    StoreConnection(u"");
    MemoryDialog& dialog = OpenGeneral();
    ASSERT_TRUE(dialog.Click(IDC_RELOAD));
    ASSERT_EQ(services.ui.messageBoxes.size(), 1u);
    EXPECT_EQ(services.ui.messageBoxes[0].text, u"A Username and Password are required");
    EXPECT_EQ(services.ui.messageBoxes[0].caption, u"zarnRel");
    EXPECT_EQ(services.ui.messageBoxes[0].kind, MessageBoxKind::kOkCancelExclamation);
    EXPECT_EQ(dialog.Focus(), IDC_USERNAME);
    EXPECT_EQ(server.server.RequestCount(), 0u);
    EXPECT_EQ(setup.Writes("ReleaseSetupData.PutName"), 0u);
}

TEST_F(GeneralPageTest, ReloadListsTheServersStoresAndFlagsOthers) {
    server.Serve({{"Zeta", "Last store", {{"Memo", "", {}}}},
                  {"Archive", "Old papers", {{"Letter", "Letters", {}}, {"Contract", "", {}}}}});
    StoreConnection();
    setup.SetProperty(u"docStore", u"Old");
    setup.SetProperty(u"docType", u"Letter");
    MemoryDialog& dialog = OpenGeneral();
    ASSERT_TRUE(dialog.Retype(IDC_NAME, u"Renamed"));
    ASSERT_TRUE(dialog.Click(IDC_RELOAD));

    EXPECT_TRUE(settings.catalogueLoaded);
    EXPECT_EQ(dialog.ListEntries(IDC_DOCSTORE), (Strings{u"Archive", u"Old", u"Zeta"}));
    EXPECT_EQ(dialog.EntryColour(IDC_DOCSTORE, u"Old"), kRed);
    EXPECT_EQ(dialog.EntryColour(IDC_DOCSTORE, u"Archive"), std::nullopt);
    EXPECT_EQ(dialog.EntryColour(IDC_DOCSTORE, u"Zeta"), std::nullopt);
    EXPECT_EQ(dialog.GetText(IDC_DOCSTORE), u"Old");
    EXPECT_EQ(dialog.ListEntries(IDC_DOCTYPE), Strings{u"Letter"});
    EXPECT_EQ(dialog.EntryColour(IDC_DOCTYPE, u"Letter"), kRed);
    EXPECT_EQ(services.ui.waitCursorCount, 1);
    EXPECT_EQ(services.ui.waitCursorDepth, 0);
    EXPECT_TRUE(services.ui.messageBoxes.empty());
    // The Reload hands the Name box to the host.
    EXPECT_EQ(setup.record->name, u"Renamed");

    // Picking a store of the server lists its types and describes it.
    ASSERT_TRUE(dialog.Pick(IDC_DOCSTORE, u"Archive"));
    EXPECT_EQ(Slot(NamedSlot::docStoreName).source, u"Archive");
    EXPECT_EQ(dialog.GetText(IDC_DOCSTORE_DESCRIPTION), u"Old papers");
    EXPECT_EQ(dialog.ListEntries(IDC_DOCTYPE), (Strings{u"Contract", u"Letter"}));
    EXPECT_EQ(dialog.EntryColour(IDC_DOCTYPE, u"Letter"), std::nullopt);
    EXPECT_EQ(dialog.GetText(IDC_DOCTYPE), u"Letter");
    EXPECT_EQ(dialog.GetText(IDC_DOCTYPE_DESCRIPTION), u"Letters");

    ASSERT_TRUE(dialog.Pick(IDC_DOCTYPE, u"Contract"));
    EXPECT_EQ(Slot(NamedSlot::docTypeName).source, u"Contract");
    EXPECT_EQ(dialog.GetText(IDC_DOCTYPE), u"Contract");
    EXPECT_EQ(dialog.GetText(IDC_DOCTYPE_DESCRIPTION), u"");

    // The arrow keys on the closed drop-downs choose as well: what shows is what is stored.
    ASSERT_TRUE(dialog.Step(IDC_DOCSTORE, 2));
    EXPECT_EQ(Slot(NamedSlot::docStoreName).source, u"Zeta");
    EXPECT_EQ(dialog.GetText(IDC_DOCSTORE_DESCRIPTION), u"Last store");
    EXPECT_EQ(dialog.ListEntries(IDC_DOCTYPE), (Strings{u"Contract", u"Memo"}));
    ASSERT_TRUE(dialog.Step(IDC_DOCTYPE, 1));
    EXPECT_EQ(Slot(NamedSlot::docTypeName).source, u"Memo");
    EXPECT_EQ(dialog.GetText(IDC_DOCTYPE), u"Memo");

    // Typing a store that the server lacks keeps the lists until the next refill.
    ASSERT_TRUE(dialog.Retype(IDC_DOCSTORE, u"Nowhere"));
    EXPECT_EQ(Slot(NamedSlot::docStoreName).source, u"Nowhere");
}

TEST_F(GeneralPageTest, ReloadWithEmptyTextsTakesTheFirstStoreAndType) {
    server.Serve({{"Zeta", "", {{"Memo", "", {}}}},
                  {"Archive", "Old papers", {{"Letter", "Letters", {}}, {"Contract", "", {}}}}});
    StoreConnection();
    MemoryDialog& dialog = OpenGeneral();
    EXPECT_TRUE(dialog.ListEntries(IDC_DOCSTORE).empty());
    ASSERT_TRUE(dialog.Click(IDC_RELOAD));
    EXPECT_EQ(dialog.GetText(IDC_DOCSTORE), u"Archive");
    EXPECT_EQ(dialog.GetText(IDC_DOCSTORE_DESCRIPTION), u"Old papers");
    EXPECT_EQ(dialog.GetText(IDC_DOCTYPE), u"Contract");
    // What the boxes show is what OK saves.
    EXPECT_EQ(Slot(NamedSlot::docStoreName).source, u"Archive");
    EXPECT_EQ(Slot(NamedSlot::docTypeName).source, u"Contract");
}

TEST_F(GeneralPageTest, AnUnmappedStoreIsNotFilledInAutomatically) {
    server.Serve({{"Archive", "", {{"Letter", "", {}}}}});
    StoreConnection();
    setup.record->links = {{u"", host::KFX_REL_UNDEFINED_LINK, u"docStoreName"}};
    MemoryDialog& dialog = OpenGeneral();
    ASSERT_TRUE(dialog.Click(IDC_RELOAD));
    EXPECT_EQ(dialog.ListEntries(IDC_DOCSTORE), Strings{u"Archive"});
    EXPECT_EQ(dialog.GetText(IDC_DOCSTORE), u"");
    EXPECT_EQ(Slot(NamedSlot::docStoreName).sourceType, host::KFX_REL_UNDEFINED_LINK);
    EXPECT_EQ(Slot(NamedSlot::docStoreName).source, u"");
}

TEST_F(GeneralPageTest, AFailedReloadKeepsTheStoredStoreInRed) {
    server.server.SetReply("/docStore/store/", {500, "text/plain", "down", {}});
    StoreConnection();
    setup.SetProperty(u"docStore", u"Archive");
    MemoryDialog& dialog = OpenGeneral();
    ASSERT_TRUE(dialog.Click(IDC_RELOAD));
    ASSERT_EQ(services.ui.messageBoxes.size(), 1u);
    EXPECT_EQ(services.ui.messageBoxes[0].text.rfind(u"Failed to retrieve data from ", 0), 0u);
    EXPECT_FALSE(settings.catalogueLoaded);
    EXPECT_EQ(dialog.ListEntries(IDC_DOCSTORE), Strings{u"Archive"});
    EXPECT_EQ(dialog.EntryColour(IDC_DOCSTORE, u"Archive"), kRed);
    EXPECT_EQ(services.ui.waitCursorDepth, 0);
}

TEST_F(GeneralPageTest, PickingAPublicAuthority) {
    MemoryDialog& dialog = OpenGeneral();
    ASSERT_TRUE(dialog.Pick(IDC_PUBLIC_AUTHORITY, u"*RX"));
    EXPECT_EQ(Slot(NamedSlot::authorityPublic).source, u"*RX");
    EXPECT_EQ(dialog.GetText(IDC_PUBLIC_AUTHORITY), u"*RX");
    ASSERT_TRUE(dialog.Retype(IDC_PUBLIC_AUTHORITY, u"*OWN"));
    EXPECT_EQ(Slot(NamedSlot::authorityPublic).source, u"*OWN");
}

TEST_F(GeneralPageTest, ATypedNameSurvivesPicksAndSourceChoicesUntilOk) {
    server.Serve({{"Archive", "", {{"Letter", "", {}}}}});
    StoreConnection();
    MemoryDialog& dialog = OpenGeneral();
    ASSERT_TRUE(dialog.Click(IDC_RELOAD));

    ASSERT_TRUE(dialog.Retype(IDC_NAME, u"First"));
    ASSERT_TRUE(dialog.Pick(IDC_DOCSTORE, u"Archive"));
    EXPECT_EQ(dialog.GetText(IDC_NAME), u"First");
    ASSERT_TRUE(dialog.Retype(IDC_NAME, u"Second"));
    ASSERT_TRUE(dialog.Pick(IDC_DOCTYPE, u"Letter"));
    EXPECT_EQ(dialog.GetText(IDC_NAME), u"Second");
    ASSERT_TRUE(dialog.Retype(IDC_NAME, u"Third"));
    dialog.ChooseInNextMenu(u"Subject");
    ASSERT_TRUE(dialog.Click(IDC_DOC_DESCRIPTION_SOURCE));
    EXPECT_EQ(dialog.GetText(IDC_NAME), u"Third");

    page.OnOK();
    EXPECT_EQ(setup.record->name, u"Third");
}

TEST_F(GeneralPageTest, ANameTheHostCannotTellIsNotOverwrittenWithNothing) {
    setup.host.Failures().Fail("ReleaseSetupData.GetName");
    MemoryDialog& dialog = OpenGeneral();
    EXPECT_EQ(dialog.GetText(IDC_NAME), u"");
    page.OnOK();
    EXPECT_EQ(setup.Writes("ReleaseSetupData.PutName"), 0u);
    ASSERT_TRUE(dialog.Type(IDC_NAME, u"Typed"));
    page.OnOK();
    EXPECT_EQ(setup.record->name, u"Typed");
}

TEST_F(GeneralPageTest, WithoutAVersionTheVersionLabelsStayHidden) {
    FixedTexts texts;  // a module without a version resource
    CPropertyPageSetupGeneral unversioned(settings, texts, services.ui);
    MemoryDialog& dialog = Open(unversioned);
    EXPECT_FALSE(dialog.IsShown(IDC_VERSION));
    EXPECT_FALSE(dialog.IsShown(IDC_VERSION_LABEL));
}

}  // namespace
}  // namespace zarn::test
