#include <gtest/gtest.h>

#include "common/utf16_text.h"
#include "release/release_settings.h"
#include "tests/setup/setup_test_support.h"

namespace zarn::test {
namespace {

using host::sim::Link;

std::u16string KeyName(int n) {
    return u"docTypeKeyName[" + TwoDigits(n) + u"]";
}

std::vector<Link> NamedLinksOf(const ReleaseSettings& settings) {
    std::vector<Link> links;
    for (std::size_t i = 0; i < kNamedSlotCount; ++i) {
        links.push_back({settings.named[i].source, settings.named[i].sourceType,
                         std::u16string(NamedSlotName(static_cast<NamedSlot>(i)))});
    }
    return links;
}

const std::vector<Link> kFileLinks = {
    {u"OriginalFolder", host::KFX_REL_BATCHFIELD, u"OriginalFolder"},
    {u"First Page Original File Name", host::KFX_REL_VARIABLE, u"OriginalFileName"},
    {u"OriginalFileNameExt", host::KFX_REL_BATCHFIELD, u"OriginalFileNameExt"},
};

class SettingsSaveTest : public testing::Test {
  protected:
    TestServices services;
    CDocStoreManager emptyCatalogue{services.services};
    SimSetup setup;
};

TEST_F(SettingsSaveTest, LinksAreNumberedThenNamedThenTheThreeFileLinks) {
    setup.record->links = {{u"old", host::KFX_REL_TEXTCONSTANT, u"docFilename"}};
    ReleaseSettings settings(setup.data.get(), emptyCatalogue);
    settings.numbered[12] = {u"Amount", host::KFX_REL_INDEXFIELD};
    settings.numbered[3] = {u"Batch Name", host::KFX_REL_VARIABLE};
    settings.numbered[5] = {u"", host::KFX_REL_TEXTCONSTANT};  // empty: not written
    settings.numbered[6] = {u"unmapped", host::KFX_REL_UNDEFINED_LINK};
    settings.Named(NamedSlot::docStoreServer) = {u"http://docs", host::KFX_REL_TEXTCONSTANT};
    settings.Named(NamedSlot::docStorePassword) = {u"Secret Field", host::KFX_REL_INDEXFIELD};
    settings.Named(NamedSlot::docFilename) = {u"", host::KFX_REL_UNDEFINED_LINK};

    ASSERT_TRUE(SaveReleaseLinks(settings));
    std::vector<Link> expected = {{u"Batch Name", host::KFX_REL_VARIABLE, u"03"},
                                  {u"Amount", host::KFX_REL_INDEXFIELD, u"12"}};
    for (const Link& link : NamedLinksOf(settings))
        expected.push_back(link);
    for (const Link& link : kFileLinks)
        expected.push_back(link);
    EXPECT_EQ(Tuples(setup.record->links), Tuples(expected));
    EXPECT_EQ(setup.record->links[2 + 9].destination, u"docFilename");
    EXPECT_EQ(setup.record->links[2 + 9].sourceType, host::KFX_REL_UNDEFINED_LINK);
}

TEST_F(SettingsSaveTest, LinksThatCannotBeClearedAreLeftAlone) {
    const std::vector<Link> stored = {{u"old", host::KFX_REL_TEXTCONSTANT, u"docFilename"}};
    for (const char* operation : {"ReleaseSetupData.GetLinks", "Links.RemoveAll"}) {
        SCOPED_TRACE(operation);
        SimSetup fresh;
        fresh.record->links = stored;
        fresh.host.Failures().Fail(operation);
        ReleaseSettings settings(fresh.data.get(), emptyCatalogue);
        EXPECT_FALSE(SaveReleaseLinks(settings));
        EXPECT_EQ(Tuples(fresh.record->links), Tuples(stored));
        EXPECT_EQ(fresh.Writes("Links.Add"), 0u);
    }
}

TEST_F(SettingsSaveTest, AFailedAddLosesOnlyItsOwnLink) {
    setup.host.Failures().Fail({"Links.Add", kFail, 0, host::CollectionKey(u"docStoreName")});
    ReleaseSettings settings(setup.data.get(), emptyCatalogue);
    ASSERT_TRUE(SaveReleaseLinks(settings));
    EXPECT_EQ(setup.record->links.size(), kNamedSlotCount - 1 + kFileLinks.size());
    EXPECT_EQ(Tuples(setup.record->links).back(), Tuples(kFileLinks).back());
}

TEST_F(SettingsSaveTest, WithoutALoadedCatalogueStoredKeyNamesStay) {
    setup.SetProperty(KeyName(0), u"InvoiceNo");
    setup.SetProperty(KeyName(1), u"");
    setup.SetProperty(KeyName(5), u"Amount");
    ReleaseSettings settings(setup.data.get(), emptyCatalogue);
    SaveKeyNames(settings, u"Invoices", u"Invoice");
    EXPECT_EQ(setup.Property(KeyName(0)), u"InvoiceNo");
    EXPECT_EQ(setup.Property(KeyName(1)), u"");
    EXPECT_EQ(setup.Property(KeyName(5)), u"Amount");
    EXPECT_EQ(setup.Property(KeyName(2)), u"PARM03");
    EXPECT_EQ(setup.Property(KeyName(17)), u"PARM18");
    EXPECT_EQ(setup.Property(KeyName(18)), std::nullopt);
    EXPECT_EQ(setup.Writes("CustomProperties.Add"), 15u);
}

TEST_F(SettingsSaveTest, WithALoadedCatalogueAStoreOrTypeNotFoundWritesParameterNames) {
    LoadedCatalogue catalogue({{"Invoices", "", {NumberedKeys("Invoice", 3)}}});
    for (auto [store, type] : {std::pair(u"Missing", u"Invoice"), std::pair(u"Invoices", u"Nope"),
                               std::pair(u"invoices", u"Invoice")}) {
        SimSetup fresh;
        fresh.SetProperty(KeyName(0), u"InvoiceNo");
        ReleaseSettings settings(fresh.data.get(), catalogue.manager);
        settings.catalogueLoaded = true;
        SaveKeyNames(settings, store, type);
        for (int n = 0; n < 18; ++n)
            EXPECT_EQ(fresh.Property(KeyName(n)), u"PARM" + TwoDigits(n + 1));
    }
}

TEST_F(SettingsSaveTest, KeyNamesOfTheDocumentTypeThenParameterNames) {
    DocTypeSpec type{"Invoice", "", {{"A", ""}, {"", ""}, {"Gone", "", false}, {"C", ""}}};
    LoadedCatalogue catalogue({{"Invoices", "", {type}}});
    setup.SetProperty(KeyName(20), u"FromALongerList");
    ReleaseSettings settings(setup.data.get(), catalogue.manager);
    settings.catalogueLoaded = true;
    SaveKeyNames(settings, u"Invoices", u"Invoice");
    EXPECT_EQ(setup.Property(KeyName(0)), u"A");
    EXPECT_EQ(setup.Property(KeyName(1)), u"PARM02");  // a key without a name
    EXPECT_EQ(setup.Property(KeyName(2)), u"C");       // the missing key takes no number
    EXPECT_EQ(setup.Property(KeyName(3)), u"PARM04");
    EXPECT_EQ(setup.Property(KeyName(17)), u"PARM18");
    EXPECT_EQ(setup.Property(KeyName(18)), std::nullopt);
    EXPECT_EQ(setup.Property(KeyName(20)), u"FromALongerList");
}

TEST_F(SettingsSaveTest, MoreKeysThanParameterNames) {
    LoadedCatalogue catalogue({{"Invoices", "", {NumberedKeys("Invoice", 25)}}});
    ReleaseSettings settings(setup.data.get(), catalogue.manager);
    settings.catalogueLoaded = true;
    SaveKeyNames(settings, u"Invoices", u"Invoice");
    for (int n = 0; n < 25; ++n) {
        EXPECT_EQ(setup.Property(KeyName(n)), u"Key" + Decimal(n + 1));
    }
    EXPECT_EQ(setup.Writes("CustomProperties.Add"), 25u);
}

TEST_F(SettingsSaveTest, AKeyNameWhosePropertiesCannotBeFetchedIsNotWritten) {
    LoadedCatalogue catalogue({{"Invoices", "", {NumberedKeys("Invoice", 3)}}});
    setup.host.Failures().Fail({"ReleaseSetupData.GetCustomProperties", kFail, 2, std::nullopt});
    setup.host.Failures().Fail({"CustomProperties.Add", kFail, 0, host::CollectionKey(KeyName(4))});
    ReleaseSettings settings(setup.data.get(), catalogue.manager);
    settings.catalogueLoaded = true;
    SaveKeyNames(settings, u"Invoices", u"Invoice");
    EXPECT_EQ(setup.Property(KeyName(0)), u"Key1");
    EXPECT_EQ(setup.Property(KeyName(1)), std::nullopt);
    EXPECT_EQ(setup.Property(KeyName(2)), u"Key3");
    EXPECT_EQ(setup.Property(KeyName(4)), std::nullopt);
    EXPECT_EQ(setup.Property(KeyName(5)), u"PARM06");
}

}  // namespace
}  // namespace zarn::test
