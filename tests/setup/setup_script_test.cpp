#include <gtest/gtest.h>

#include <climits>

#include "common/utf16_text.h"
#include "resources/control_ids.h"
#include "setup/setup_script.h"
#include "tests/setup/scripted_sheet.h"
#include "tests/setup/setup_test_support.h"

namespace zarn::test {
namespace {

using Script = ScriptedSheet::Script;

class SetupScriptTest : public testing::Test {
  protected:
    SetupScriptTest() { script.SetSetupData(setup.data); }
    // Runs the setup dialog with the administrator's script.
    host::KfxReturnValue Run(Script administrator) {
        ScriptedSheetFactory sheets(services.ui, std::move(administrator));
        SetupScript runner(services.services, sheets);
        runner.SetSetupData(setup.data);
        const host::KfxReturnValue result = runner.RunUI();
        caption = sheets.lastCaption;
        titles = sheets.lastTitles;
        return result;
    }
    static Script Ends(SheetResult result) {
        return [result](ScriptedSheet&) { return result; };
    }

    TestServices services;
    SimSetup setup;
    ScriptedSheetFactory unused{services.ui, Ends(SheetResult::kCancel)};
    SetupScript script{services.services, unused};
    std::u16string caption;
    std::vector<std::u16string> titles;
};

TEST_F(SetupScriptTest, OpenAndCloseSucceed) {
    EXPECT_EQ(script.OpenScript(), host::KFX_REL_SUCCESS);
    EXPECT_EQ(script.CloseScript(), host::KFX_REL_SUCCESS);
    EXPECT_EQ(script.SetupData(), setup.data);
}

TEST_F(SetupScriptTest, ActionEventsAnswerWithoutTouchingTheHost) {
    for (std::int32_t action = 0; action <= 13; ++action) {
        EXPECT_EQ(script.ActionEvent(action, u"a", u"b"), host::KFX_REL_SUCCESS) << action;
    }
    for (std::int32_t action : {-1, 14, 19, 20, INT_MIN, INT_MAX}) {
        EXPECT_EQ(script.ActionEvent(action, u"", u""), host::KFX_REL_UNSUPPORTED) << action;
    }
    EXPECT_TRUE(setup.host.Failures().CallCounts().empty());
}

TEST_F(SetupScriptTest, SetupDataIsHeldUntilReplaced) {
    std::weak_ptr<host::IReleaseSetupData> held = setup.data;
    setup.data.reset();
    EXPECT_FALSE(held.expired());
    script.SetSetupData(nullptr);
    EXPECT_TRUE(held.expired());
    EXPECT_EQ(script.SetupData(), nullptr);
}

TEST_F(SetupScriptTest, WithoutSetupDataNoSheetIsShown) {
    ScriptedSheetFactory sheets(services.ui, Ends(SheetResult::kOk));
    SetupScript empty(services.services, sheets);
    EXPECT_EQ(empty.RunUI(), host::KFX_REL_ERROR);
    EXPECT_EQ(sheets.sheetsRun, 0);
}

TEST_F(SetupScriptTest, TheSheetShowsThreePagesUnderItsCaption) {
    EXPECT_EQ(Run(Ends(SheetResult::kCancel)), host::KFX_REL_SUCCESS);
    EXPECT_EQ(caption, u"DocStore Setup");
    EXPECT_EQ(titles,
              (std::vector<std::u16string>{u"General", u"Parameters Long", u"Parameters Short"}));
}

TEST_F(SetupScriptTest, OkWithoutChangesRewritesTheSettingsAndAppliesOnce) {
    setup.record->links = {{u"Amount", host::KFX_REL_INDEXFIELD, u"04"},
                           {u"x", host::KFX_REL_TEXTCONSTANT, u"obsolete"}};
    setup.SetProperty(u"docStore", u"Archive");
    EXPECT_EQ(Run(Ends(SheetResult::kOk)), host::KFX_REL_SUCCESS);
    EXPECT_EQ(setup.Writes("Links.RemoveAll"), 1u);
    ASSERT_EQ(setup.record->links.size(), 1u + kNamedSlotCount + 3u);
    EXPECT_EQ(setup.record->links[0].destination, u"04");
    EXPECT_EQ(setup.record->links[4].destination, u"docStoreName");
    EXPECT_EQ(setup.record->links[4].source, u"Archive");
    for (int n = 0; n < kKeyNameCount; ++n) {
        EXPECT_EQ(setup.Property(u"docTypeKeyName[" + TwoDigits(n) + u"]"),
                  u"PARM" + TwoDigits(n + 1));
    }
    EXPECT_EQ(setup.Writes("ReleaseSetupData.Apply"), 1u);
    EXPECT_EQ(setup.Writes("ReleaseSetupData.PutName"), 1u);
    // Apply comes last.
    EXPECT_EQ(setup.host.JournalOfWrites().Entries().back().operation, "ReleaseSetupData.Apply");
}

TEST_F(SetupScriptTest, OkWithoutAReloadKeepsTheStoredKeyNames) {
    setup.SetProperty(u"docTypeKeyName[00]", u"InvoiceNo");
    ASSERT_EQ(Run(Ends(SheetResult::kOk)), host::KFX_REL_SUCCESS);
    EXPECT_EQ(setup.Property(u"docTypeKeyName[00]"), u"InvoiceNo");
    EXPECT_EQ(setup.Property(u"docTypeKeyName[01]"), u"PARM02");
}

TEST_F(SetupScriptTest, CancelAfterEditingEveryPageWritesNothing) {
    setup.record->indexFields = {{u"Amount", u""}};
    EXPECT_EQ(Run([](ScriptedSheet& sheet) {
                  MemoryDialog& general = sheet.Current();
                  general.Type(IDC_SERVER_URL, u"http://elsewhere");
                  general.Type(IDC_NAME, u"New name");
                  general.ChooseInNextMenu(u"Amount");
                  general.Click(IDC_DOC_FILENAME_SOURCE);
                  sheet.Select(1).ChooseInNextMenu(u"Text Constant");
                  sheet.Current().Click(IDC_PARAMETER_SOURCE_FIRST);
                  sheet.Current().Type(IDC_PARAMETER_VALUE_FIRST, u"x");
                  sheet.Select(2).ChooseInNextMenu(u"Amount");
                  sheet.Current().Click(IDC_PARAMETER_SOURCE_FIRST + 7);
                  return SheetResult::kCancel;
              }),
              host::KFX_REL_SUCCESS);
    EXPECT_TRUE(setup.host.JournalOfWrites().Entries().empty());
}

TEST_F(SetupScriptTest, CancelAfterAReloadHasOnlyPassedTheName) {
    CatalogueServer server;
    server.Serve({{"Archive", "", {}}});
    setup.SetProperty(u"serverURL", server.Url());
    setup.record->userName = u"admin";
    EXPECT_EQ(Run([](ScriptedSheet& sheet) {
                  sheet.Current().Retype(IDC_NAME, u"Renamed");
                  sheet.Current().Click(IDC_RELOAD);
                  return SheetResult::kCancel;
              }),
              host::KFX_REL_SUCCESS);
    const auto writes = setup.host.JournalOfWrites().Entries();
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].operation, "ReleaseSetupData.PutName");
    EXPECT_EQ(writes[0].texts, std::vector<std::u16string>{u"Renamed"});
}

TEST_F(SetupScriptTest, EachRunStartsWithAnEmptyCatalogue) {
    CatalogueServer server;
    server.Serve({{"Archive", "", {}}, {"Zeta", "", {}}});
    setup.SetProperty(u"serverURL", server.Url());
    setup.SetProperty(u"docStore", u"Archive");
    setup.record->userName = u"admin";
    std::vector<std::vector<std::u16string>> lists;
    auto administrator = [&lists](ScriptedSheet& sheet) {
        lists.push_back(sheet.Current().ListEntries(IDC_DOCSTORE));
        sheet.Current().Click(IDC_RELOAD);
        lists.push_back(sheet.Current().ListEntries(IDC_DOCSTORE));
        return SheetResult::kCancel;
    };
    Run(administrator);
    Run(administrator);
    using Strings = std::vector<std::u16string>;
    EXPECT_EQ(lists,
              (std::vector<Strings>{
                  {u"Archive"}, {u"Archive", u"Zeta"}, {u"Archive"}, {u"Archive", u"Zeta"}}));
}

TEST_F(SetupScriptTest, HostFailuresWhileSavingStillReportSuccess) {
    for (const char* operation :
         {"ReleaseSetupData.GetLinks", "Links.RemoveAll", "ReleaseSetupData.GetCustomProperties",
          "CustomProperties.Add", "ReleaseSetupData.Apply", "ReleaseSetupData.PutName"}) {
        SCOPED_TRACE(operation);
        setup.host.Failures().ClearRules();
        setup.host.Failures().Fail(operation);
        EXPECT_EQ(Run(Ends(SheetResult::kOk)), host::KFX_REL_SUCCESS);
    }
}

}  // namespace
}  // namespace zarn::test
