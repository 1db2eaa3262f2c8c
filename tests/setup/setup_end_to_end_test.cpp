// An administrator sets up a document class against a catalogue server on loopback; a release
// of a document of that class then reaches the server with the key fields under their names.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/utf16_text.h"
#include "release/release_script.h"
#include "resources/control_ids.h"
#include "setup/setup_script.h"
#include "tests/setup/scripted_sheet.h"
#include "tests/setup/setup_test_support.h"
#include "tools/docstore_server/multipart_parser.h"

namespace zarn::test {
namespace {

using host::sim::Link;
class SetupEndToEndTest : public testing::Test {
  protected:
    SetupEndToEndTest() {
        server.Serve({{"Archive", "", {{"Letter", "", {}}}},
                      {"Invoices",
                       "Supplier invoices",
                       {{"Invoice",
                         "Incoming invoice",
                         {{"InvoiceNo", "Invoice number"},
                          {"BatchRef", "Batch reference"},
                          {"Supplier", "Supplier name"}}}}}});
        server.server.RequireBasicAuth("clerk", "s3cret");
        server.server.SetReply("/docStore/store/Invoices/document/",
                               {200, "text/xml", "<ok/>", {}});
        setup.record->name = u"Invoices to DocStore";
        setup.record->batchClassName = u"Invoices Batch";
        setup.record->docClassName = u"Invoice";
        setup.record->indexFields = {{u"Invoice Number", u""}, {u"Supplier Name", u""}};
        setup.record->batchVariableNames = {u"Batch Name", u"Scan Operator"};
        setup.record->customProperties = {{u"docTypeKeyName[00]", u"Outdated"}};
    }

    host::KfxReturnValue RunSetup(ScriptedSheet::Script administrator) {
        ScriptedSheetFactory sheets(services.ui, std::move(administrator));
        SetupScript script(services.services, sheets);
        script.SetSetupData(setup.data);
        EXPECT_EQ(script.OpenScript(), host::KFX_REL_SUCCESS);
        const host::KfxReturnValue result = script.RunUI();
        EXPECT_EQ(script.CloseScript(), host::KFX_REL_SUCCESS);
        return result;
    }

    // The administrator's whole setup, ending with `end`.
    ScriptedSheet::Script Administrator(SheetResult end) {
        return [this, end](ScriptedSheet& sheet) {
            MemoryDialog& general = sheet.Current();
            EXPECT_TRUE(general.Type(IDC_SERVER_URL, server.Url()));
            EXPECT_TRUE(general.Type(IDC_USERNAME, u"clerk"));
            EXPECT_TRUE(general.Type(IDC_PASSWORD, u"s3cret"));
            EXPECT_TRUE(general.Click(IDC_RELOAD));
            EXPECT_TRUE(general.Pick(IDC_DOCSTORE, u"Invoices"));
            EXPECT_TRUE(general.Pick(IDC_DOCTYPE, u"Invoice"));
            EXPECT_EQ(general.GetText(IDC_DOCTYPE_DESCRIPTION), u"Incoming invoice");

            MemoryDialog& parameters = sheet.Select(1);
            EXPECT_EQ(parameters.GetText(IDC_PARAMETER_LABEL_FIRST), u"Invoice number:");
            EXPECT_EQ(parameters.GetText(IDC_PARAMETER_LABEL_FIRST + 3), u"Parameter 4:");
            parameters.ChooseInNextMenu(u"Invoice Number");
            EXPECT_TRUE(parameters.Click(IDC_PARAMETER_SOURCE_FIRST));
            parameters.ChooseInNextMenu(u"Batch Name");
            EXPECT_TRUE(parameters.Click(IDC_PARAMETER_SOURCE_FIRST + 1));
            parameters.ChooseInNextMenu(u"Text Constant");
            EXPECT_TRUE(parameters.Click(IDC_PARAMETER_SOURCE_FIRST + 2));
            EXPECT_TRUE(parameters.Type(IDC_PARAMETER_VALUE_FIRST + 2, u"ACME"));
            EXPECT_TRUE(services.ui.messageBoxes.empty());
            return end;
        };
    }

    std::filesystem::path WriteScan() {
        const std::filesystem::path path =
            std::filesystem::path(testing::TempDir()) / "zarn_setup_scan.tif";
        std::ofstream(path, std::ios::binary) << std::string("II*\0scan", 8);
        return path;
    }

    TestServices services;
    CatalogueServer server;
    SimSetup setup;
};

TEST_F(SetupEndToEndTest, ConfirmedSetupIsStoredAndDrivesTheRelease) {
    ASSERT_EQ(RunSetup(Administrator(SheetResult::kOk)), host::KFX_REL_SUCCESS);

    const std::u16string url = server.Url();
    std::vector<LinkTuple> expected = {
        {u"Invoice Number", host::KFX_REL_INDEXFIELD, u"00"},
        {u"Batch Name", host::KFX_REL_VARIABLE, u"01"},
        {u"ACME", host::KFX_REL_TEXTCONSTANT, u"02"},
        {url, host::KFX_REL_TEXTCONSTANT, u"docStoreServer"},
        {u"clerk", host::KFX_REL_TEXTCONSTANT, u"docStoreUsername"},
        {u"s3cret", host::KFX_REL_TEXTCONSTANT, u"docStorePassword"},
        {u"Invoices", host::KFX_REL_TEXTCONSTANT, u"docStoreName"},
        {u"Invoice", host::KFX_REL_TEXTCONSTANT, u"docTypeName"},
        {u"", host::KFX_REL_TEXTCONSTANT, u"documentDescription"},
        {u"", host::KFX_REL_TEXTCONSTANT, u"authorityOwner"},
        {u"", host::KFX_REL_TEXTCONSTANT, u"authorisationList"},
        {u"", host::KFX_REL_TEXTCONSTANT, u"authorityPublic"},
        {u"", host::KFX_REL_TEXTCONSTANT, u"docFilename"},
        {u"OriginalFolder", host::KFX_REL_BATCHFIELD, u"OriginalFolder"},
        {u"First Page Original File Name", host::KFX_REL_VARIABLE, u"OriginalFileName"},
        {u"OriginalFileNameExt", host::KFX_REL_BATCHFIELD, u"OriginalFileNameExt"},
    };
    EXPECT_EQ(Tuples(setup.record->links), expected);
    const std::u16string keyNames[] = {u"InvoiceNo", u"BatchRef", u"Supplier"};
    for (int n = 0; n < kKeyNameCount; ++n) {
        EXPECT_EQ(setup.Property(u"docTypeKeyName[" + TwoDigits(n) + u"]"),
                  n < 3 ? keyNames[n] : u"PARM" + TwoDigits(n + 1));
    }
    EXPECT_EQ(setup.record->customProperties.size(), static_cast<std::size_t>(kKeyNameCount));
    EXPECT_EQ(setup.record->name, u"Invoices to DocStore");
    EXPECT_EQ(setup.Writes("ReleaseSetupData.Apply"), 1u);
    EXPECT_EQ(setup.Writes("Links.RemoveAll"), 1u);

    // The release of a document of the class.
    host::sim::Batch batch{{{u"Batch Name", u"B-42"}}, {}};
    host::sim::Document document;
    document.indexFields = {{u"Invoice Number", u"INV-7"}, {u"Supplier Name", u"ignored"}};
    document.imageFiles = {FromUtf8(WriteScan().string())};
    ReleaseScript release(services.services);
    release.SetDocumentData(setup.host.MakeReleaseData(setup.record, batch, document));
    ASSERT_EQ(release.OpenScript(), host::KFX_REL_SUCCESS);
    EXPECT_EQ(release.ReleaseDoc(), host::KFX_REL_SUCCESS);
    release.CloseScript();

    const std::vector<RecordedRequest> requests = server.server.Requests();
    ASSERT_FALSE(requests.empty());
    const RecordedRequest& post = requests.back();
    EXPECT_EQ(post.method, "POST");
    EXPECT_EQ(post.target, "/docStore/store/Invoices/document/");
    std::vector<docstore::FormPart> parts;
    std::string error;
    ASSERT_TRUE(docstore::ParseMultipart(post.body, ToUtf8(kDocumentBoundary), parts, error))
        << error;
    std::vector<std::pair<std::string, std::string>> fields;
    for (const docstore::FormPart& part : parts)
        fields.emplace_back(part.name, part.content);
    ASSERT_EQ(fields.size(), 9u);
    EXPECT_EQ(fields[0], (std::pair<std::string, std::string>{"docType", "Invoice"}));
    EXPECT_EQ(fields[2].first, "document");
    EXPECT_EQ(fields[2].second, std::string("II*\0scan", 8));
    // The key fields follow the six fixed parts, under the server's key names.
    EXPECT_EQ(std::vector(fields.begin() + 6, fields.end()),
              (std::vector<std::pair<std::string, std::string>>{
                  {"InvoiceNo", "INV-7"}, {"BatchRef", "B-42"}, {"Supplier", "ACME"}}));
}

TEST_F(SetupEndToEndTest, CancelWritesNothing) {
    ASSERT_EQ(RunSetup(Administrator(SheetResult::kCancel)), host::KFX_REL_SUCCESS);
    // The Reload alone has handed the unchanged name to the host.
    const auto writes = setup.host.JournalOfWrites().Entries();
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].operation, "ReleaseSetupData.PutName");
    EXPECT_TRUE(setup.record->links.empty());
    EXPECT_EQ(setup.record->customProperties.size(), 1u);
    EXPECT_EQ(setup.Property(u"docTypeKeyName[00]"), u"Outdated");
}

}  // namespace
}  // namespace zarn::test
