#include <gtest/gtest.h>

#include "release/release_settings.h"
#include "tests/setup/setup_test_support.h"

namespace zarn::test {
namespace {

using host::sim::Link;

class SettingsLoadTest : public testing::Test {
  protected:
    ReleaseSettings Settings() { return ReleaseSettings(setup.data.get(), services.manager); }
    void Fail(std::string operation, int onCall = 0) {
        setup.host.Failures().Fail({std::move(operation), kFail, onCall, std::nullopt});
    }

    struct Catalogue {
        TestServices services;
        CDocStoreManager manager{services.services};
    } services;
    SimSetup setup;
};

TEST_F(SettingsLoadTest, NewSettingsHoldEmptyTextConstantsAndUnmappedParameters) {
    ReleaseSettings settings = Settings();
    for (const LinkSlot& slot : settings.named) {
        EXPECT_EQ(slot.source, u"");
        EXPECT_EQ(slot.sourceType, host::KFX_REL_TEXTCONSTANT);
    }
    for (const LinkSlot& slot : settings.numbered)
        EXPECT_EQ(slot.sourceType, -1);
    EXPECT_EQ(NamedSlotName(NamedSlot::docStoreServer), u"docStoreServer");
    EXPECT_EQ(NamedSlotName(NamedSlot::docFilename), u"docFilename");
}

TEST_F(SettingsLoadTest, PropertiesAndCredentialsLoadAsTextConstants) {
    setup.SetProperty(u"serverURL", u"http://docs");
    setup.SetProperty(u"docStore", u"Invoices");
    setup.SetProperty(u"docType", u"Invoice");
    setup.record->userName = u"scan";
    setup.record->password = u"pw";
    ReleaseSettings settings = Settings();
    settings.Named(NamedSlot::documentDescription) = {u"kept", host::KFX_REL_VARIABLE};
    LoadReleaseSettings(settings);
    EXPECT_EQ(settings.Named(NamedSlot::docStoreServer).source, u"http://docs");
    EXPECT_EQ(settings.Named(NamedSlot::docStoreName).source, u"Invoices");
    EXPECT_EQ(settings.Named(NamedSlot::docTypeName).source, u"Invoice");
    EXPECT_EQ(settings.Named(NamedSlot::docStoreUsername).source, u"scan");
    EXPECT_EQ(settings.Named(NamedSlot::docStorePassword).source, u"pw");
    for (NamedSlot slot :
         {NamedSlot::docStoreServer, NamedSlot::docStoreName, NamedSlot::docTypeName,
          NamedSlot::docStoreUsername, NamedSlot::docStorePassword}) {
        EXPECT_EQ(settings.Named(slot).sourceType, host::KFX_REL_TEXTCONSTANT);
    }
    EXPECT_EQ(settings.Named(NamedSlot::documentDescription).source, u"kept");
    EXPECT_EQ(setup.Writes("CustomProperties.Add"), 0u);
}

TEST_F(SettingsLoadTest, EmptyPropertyLoadsEmptyAndMissingOneLeavesTheSlot) {
    setup.SetProperty(u"serverURL", u"");
    ReleaseSettings settings = Settings();
    settings.Named(NamedSlot::docStoreServer) = {u"old", host::KFX_REL_INDEXFIELD};
    settings.Named(NamedSlot::docStoreName) = {u"Field", host::KFX_REL_INDEXFIELD};
    LoadReleaseSettings(settings);
    EXPECT_EQ(settings.Named(NamedSlot::docStoreServer).source, u"");
    EXPECT_EQ(settings.Named(NamedSlot::docStoreServer).sourceType, host::KFX_REL_TEXTCONSTANT);
    EXPECT_EQ(settings.Named(NamedSlot::docStoreName).source, u"Field");
    EXPECT_EQ(settings.Named(NamedSlot::docStoreName).sourceType, host::KFX_REL_INDEXFIELD);
}

TEST_F(SettingsLoadTest, EachFailingHostReadLeavesOnlyItsOwnSlot) {
    setup.SetProperty(u"serverURL", u"http://docs");
    setup.SetProperty(u"docStore", u"Invoices");
    setup.SetProperty(u"docType", u"Invoice");
    setup.record->userName = u"scan";
    setup.record->password = u"pw";
    struct Case {
        std::string operation;
        int onCall;
        NamedSlot lost;
    };
    const Case cases[] = {
        {"ReleaseSetupData.GetCustomProperties", 1, NamedSlot::docStoreServer},
        {"ReleaseSetupData.GetCustomProperties", 2, NamedSlot::docStoreName},
        {"ReleaseSetupData.GetCustomProperties", 3, NamedSlot::docTypeName},
        {"CustomProperties.GetItem", 2, NamedSlot::docStoreName},
        {"CustomProperty.GetValue", 3, NamedSlot::docTypeName},
        {"ReleaseSetupData.GetUserName", 0, NamedSlot::docStoreUsername},
        {"ReleaseSetupData.GetPassword", 0, NamedSlot::docStorePassword},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.operation + " call " + std::to_string(c.onCall));
        SimSetup fresh;
        fresh.record = setup.record;
        fresh.data = fresh.host.MakeSetupData(fresh.record);
        fresh.host.Failures().Fail({c.operation, kFail, c.onCall, std::nullopt});
        ReleaseSettings settings(fresh.data.get(), services.manager);
        settings.Named(c.lost) = {u"before", host::KFX_REL_VARIABLE};
        LoadReleaseSettings(settings);
        const bool credential =
            c.lost == NamedSlot::docStoreUsername || c.lost == NamedSlot::docStorePassword;
        // A failed user name or password read still sets the slot, to an empty text constant.
        EXPECT_EQ(settings.Named(c.lost).source, credential ? u"" : u"before");
        EXPECT_EQ(settings.Named(c.lost).sourceType,
                  credential ? host::KFX_REL_TEXTCONSTANT : host::KFX_REL_VARIABLE);
        int loaded = 0;
        for (NamedSlot slot :
             {NamedSlot::docStoreServer, NamedSlot::docStoreName, NamedSlot::docTypeName,
              NamedSlot::docStoreUsername, NamedSlot::docStorePassword}) {
            if (slot != c.lost && !settings.Named(slot).source.empty())
                ++loaded;
        }
        EXPECT_EQ(loaded, 4);
    }
}

TEST_F(SettingsLoadTest, WithoutSetupDataNothingLoads) {
    ReleaseSettings settings(nullptr, services.manager);
    LoadReleaseSettings(settings);
    EXPECT_FALSE(LoadReleaseLinks(settings));
    EXPECT_FALSE(LoadCaptureValueNames(settings));
    EXPECT_EQ(settings.Named(NamedSlot::docStoreUsername).source, u"");
}

TEST_F(SettingsLoadTest, NumberedDestinationsFollowTheSignedDecimalConversion) {
    setup.record->links = {
        {u"seven", host::KFX_REL_INDEXFIELD, u"7"},
        {u"seven again", host::KFX_REL_VARIABLE, u"007"},
        {u"twenty", host::KFX_REL_TEXTCONSTANT, u"20"},
        {u"minus", host::KFX_REL_TEXTCONSTANT, u"-1"},
        {u"one", host::KFX_REL_TEXTCONSTANT, u"1.5"},
        {u"one again", host::KFX_REL_INDEXFIELD, u"1-2"},
        {u"dots", host::KFX_REL_TEXTCONSTANT, u"..."},
        {u"huge", host::KFX_REL_TEXTCONSTANT, u"99999999999"},
        {u"nineteen", host::KFX_REL_TEXTCONSTANT, u"19"},
    };
    ReleaseSettings settings = Settings();
    ASSERT_TRUE(LoadReleaseLinks(settings));
    EXPECT_EQ(settings.numbered[7].source, u"seven again");
    EXPECT_EQ(settings.numbered[7].sourceType, host::KFX_REL_VARIABLE);
    EXPECT_EQ(settings.numbered[1].source, u"one again");
    EXPECT_EQ(settings.numbered[1].sourceType, host::KFX_REL_INDEXFIELD);
    EXPECT_EQ(settings.numbered[0].source, u"dots");
    EXPECT_EQ(settings.numbered[19].source, u"nineteen");
    for (std::size_t i : {2u, 3u, 18u})
        EXPECT_EQ(settings.numbered[i].sourceType, -1);
}

TEST_F(SettingsLoadTest, NamedDestinationsMatchExactlyAndOthersAreIgnored) {
    setup.record->links = {
        {u"Server Field", host::KFX_REL_INDEXFIELD, u"docStoreServer"},
        {u"lower", host::KFX_REL_TEXTCONSTANT, u"docstoreserver"},
        {u"First Page Original File Name", host::KFX_REL_VARIABLE, u"OriginalFileName"},
        {u"*R", host::KFX_REL_TEXTCONSTANT, u"authorityPublic"},
        {u"", host::KFX_REL_TEXTCONSTANT, u""},
    };
    ReleaseSettings settings = Settings();
    ASSERT_TRUE(LoadReleaseLinks(settings));
    EXPECT_EQ(settings.Named(NamedSlot::docStoreServer).source, u"Server Field");
    EXPECT_EQ(settings.Named(NamedSlot::docStoreServer).sourceType, host::KFX_REL_INDEXFIELD);
    EXPECT_EQ(settings.Named(NamedSlot::authorityPublic).source, u"*R");
    EXPECT_EQ(settings.Named(NamedSlot::docFilename).source, u"");
}

TEST_F(SettingsLoadTest, LinkLoadFailures) {
    setup.record->links = {{u"a", host::KFX_REL_TEXTCONSTANT, u"00"},
                           {u"b", host::KFX_REL_TEXTCONSTANT, u"01"},
                           {u"c", host::KFX_REL_INDEXFIELD, u"02"}};
    {
        SCOPED_TRACE("links not listed: numbered slots still reset");
        for (const char* operation : {"ReleaseSetupData.GetLinks", "Links.GetCount"}) {
            SimSetup fresh;
            fresh.record->links = setup.record->links;
            fresh.host.Failures().Fail(operation);
            ReleaseSettings settings(fresh.data.get(), services.manager);
            settings.numbered[0] = {u"x", host::KFX_REL_TEXTCONSTANT};
            EXPECT_FALSE(LoadReleaseLinks(settings));
            EXPECT_EQ(settings.numbered[0].sourceType, -1);
        }
    }
    {
        SCOPED_TRACE("one link unreadable: skipped");
        for (const char* operation : {"Links.GetItem", "Link.GetDestination"}) {
            SimSetup fresh;
            fresh.record->links = setup.record->links;
            fresh.host.Failures().Fail({operation, kFail, 2, std::nullopt});
            ReleaseSettings settings(fresh.data.get(), services.manager);
            EXPECT_TRUE(LoadReleaseLinks(settings));
            EXPECT_EQ(settings.numbered[0].source, u"a");
            EXPECT_EQ(settings.numbered[1].sourceType, -1);
            EXPECT_EQ(settings.numbered[2].source, u"c");
        }
    }
    {
        SCOPED_TRACE("source or type unreadable: that half stays");
        SimSetup fresh;
        fresh.record->links = setup.record->links;
        fresh.host.Failures().Fail({"Link.GetSource", kFail, 3, std::nullopt});
        fresh.host.Failures().Fail({"Link.GetSourceType", kFail, 1, std::nullopt});
        ReleaseSettings settings(fresh.data.get(), services.manager);
        EXPECT_TRUE(LoadReleaseLinks(settings));
        EXPECT_EQ(settings.numbered[0].source, u"a");
        EXPECT_EQ(settings.numbered[0].sourceType, -1);
        EXPECT_EQ(settings.numbered[2].source, u"");
        EXPECT_EQ(settings.numbered[2].sourceType, host::KFX_REL_INDEXFIELD);
    }
}

TEST_F(SettingsLoadTest, CaptureValueNamesInHostOrder) {
    setup.record->batchVariableNames = {u"Batch Name", u"Scan Operator", u"Batch Name"};
    ReleaseSettings settings = Settings();
    settings.captureValueNames = {u"stale"};
    ASSERT_TRUE(LoadCaptureValueNames(settings));
    EXPECT_EQ(settings.captureValueNames,
              (std::vector<std::u16string>{u"Batch Name", u"Scan Operator", u"Batch Name"}));
}

TEST_F(SettingsLoadTest, CaptureValueNamesFailures) {
    setup.record->batchVariableNames = {u"A", u"B", u"C"};
    Fail("ReleaseSetupData.GetBatchVariableNames");
    ReleaseSettings settings = Settings();
    settings.captureValueNames = {u"stale"};
    EXPECT_FALSE(LoadCaptureValueNames(settings));
    EXPECT_TRUE(settings.captureValueNames.empty());

    setup.host.Failures().ClearRules();
    setup.host.Failures().Fail(
        {"BatchVariableNames.Next", kFail, 0, host::CollectionKey(std::int32_t{3})});
    EXPECT_TRUE(LoadCaptureValueNames(settings));
    EXPECT_EQ(settings.captureValueNames, (std::vector<std::u16string>{u"A", u"B"}));
}

}  // namespace
}  // namespace zarn::test
