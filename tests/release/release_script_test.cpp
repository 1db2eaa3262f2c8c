#include "release/release_script.h"

#include "tests/release/release_fixture.h"
#include "tests/support/test_server.h"

namespace zarn::test {
namespace {

using host::sim::Link;

class ReleaseScriptTest : public ReleaseFixture {};

TEST_F(ReleaseScriptTest, PostsTheSixFixedPartsInOrderAndLogsSuccess) {
    StoreServerSettings();
    record->customProperties.push_back({u"docType", u"Invoice"});
    record->customProperties.push_back({u"documentDescription", u"Scanned"});
    std::u16string file = MakeFile("scan.tif", "TIFFDATA");
    document.imageFiles = {file};

    ASSERT_EQ(Release(), host::KFX_REL_SUCCESS);

    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].head.starts_with("POST /docStore/store/Main/document/ HTTP/1.1\r\n"));
    auto parts = Parts();
    ASSERT_EQ(parts.size(), 6u);
    std::vector<std::string> names;
    for (const auto& part : parts)
        names.push_back(part.name);
    EXPECT_EQ(names,
              (std::vector<std::string>{"docType", "description", "document", "authorityOwner",
                                        "authorisationList", "authorityPublic"}));
    EXPECT_EQ(parts[0].content, "Invoice");
    EXPECT_EQ(parts[1].content, "Scanned");
    EXPECT_EQ(parts[2].fileName, "scan.tif");
    EXPECT_EQ(parts[2].contentType, "text/plain");
    EXPECT_EQ(parts[2].content, "TIFFDATA");
    EXPECT_EQ(parts[5].content, "*RWX");

    auto log = LogLines();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].severity, 0);
    EXPECT_EQ(log[0].message, u"Document Released Successfully " + file + u"\n");
    EXPECT_TRUE(SentMessages().empty());
}

TEST_F(ReleaseScriptTest, NothingStoredFailsThePostAndLogsIt) {
    EXPECT_EQ(Release(), host::KFX_REL_ERROR);
    EXPECT_TRUE(server.Requests().empty());
    auto log = LogLines();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].severity, 1);
    EXPECT_FALSE(log[0].message.empty());
    EXPECT_EQ(SentMessages(), std::vector<std::u16string>{log[0].message});
}

TEST_F(ReleaseScriptTest, PublicAuthorityDefaultsOnlyWhenAbsent) {
    StoreServerSettings();
    ASSERT_EQ(Release(), host::KFX_REL_SUCCESS);
    EXPECT_EQ(PartContent("authorityPublic"), "*RWX");
}

TEST_F(ReleaseScriptTest, StoredEmptyPublicAuthorityStaysEmpty) {
    StoreServerSettings();
    record->customProperties.push_back({u"authorityPublic", u""});
    ASSERT_EQ(Release(), host::KFX_REL_SUCCESS);
    EXPECT_EQ(PartContent("authorityPublic"), "");
}

TEST_F(ReleaseScriptTest, NonEmptyReleaseValuesOverrideStoredSettings) {
    record->customProperties = {{u"serverURL", u"http://127.0.0.1:1"},
                                {u"docStore", u"Stored"},
                                {u"authorityPublic", u""},
                                {u"docType", u"StoredType"}};
    record->links = {
        {server.Url(), host::KFX_REL_TEXTCONSTANT, u"docStoreServer"},
        {u"My Store", host::KFX_REL_TEXTCONSTANT, u"docStoreName"},
        {u"*RX", host::KFX_REL_TEXTCONSTANT, u"authorityPublic"},
        {u"", host::KFX_REL_TEXTCONSTANT, u"docTypeName"},  // empty: never overrides
        {u"Owner", host::KFX_REL_INDEXFIELD, u"authorityOwner"},
    };
    document.indexFields = {{u"Owner", u"ACME"}};

    ASSERT_EQ(Release(), host::KFX_REL_SUCCESS);
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].head.starts_with("POST /docStore/store/My%20Store/document/ "));
    EXPECT_EQ(PartContent("authorityPublic"), "*RX");
    EXPECT_EQ(PartContent("docType"), "StoredType");
    EXPECT_EQ(PartContent("authorityOwner"), "ACME");
}

TEST_F(ReleaseScriptTest, CredentialsComeFromTheReleaseUnlessLinksGiveThem) {
    TestServer guarded;
    guarded.RequireBasicAuth("capture", "secret");
    guarded.SetReply("/docStore/store/Main/document/", Reply{200, "text/xml", "<ok/>", {}});
    record->customProperties = {{u"serverURL", guarded.Url()}, {u"docStore", u"Main"}};
    session.userName = u"capture";
    session.password = u"secret";
    EXPECT_EQ(Release(), host::KFX_REL_SUCCESS);

    session.password = u"wrong";
    EXPECT_EQ(Release(), host::KFX_REL_ERROR);
    record->links = {{u"secret", host::KFX_REL_TEXTCONSTANT, u"docStorePassword"}};
    EXPECT_EQ(Release(), host::KFX_REL_SUCCESS);
    EXPECT_EQ(LogLines().at(1).message, u"HTTP Request returned 401 (Unauthorized) ");
}

TEST_F(ReleaseScriptTest, DocumentFilenameSettingNamesTheFilePart) {
    StoreServerSettings();
    record->customProperties.push_back({u"docFilename", u"invoice.pdf"});
    document.imageFiles = {MakeFile("page.tif", "x")};
    ASSERT_EQ(Release(), host::KFX_REL_SUCCESS);
    auto parts = Parts();
    ASSERT_GE(parts.size(), 3u);
    EXPECT_EQ(parts[2].fileName, "invoice.pdf");
}

TEST_F(ReleaseScriptTest, UnopenableFileLeavesThePartOutButStillPosts) {
    StoreServerSettings();
    document.imageFiles = {Folder() + u"/missing.tif"};
    ASSERT_EQ(Release(), host::KFX_REL_SUCCESS);
    EXPECT_EQ(Parts().size(), 5u);
    EXPECT_FALSE(HasPart("document"));
}

TEST_F(ReleaseScriptTest, ServerErrorIsLoggedWithItsDescription) {
    StoreServerSettings();
    const std::string body = "<r><p id=\"statusDescription\">Unknown document type</p></r>";
    server.SetReply(
        "HTTP/1.1 500 Internal Server Error\r\nContent-Type: text/xml\r\n"
        "Content-Length: " +
        std::to_string(body.size()) + "\r\n\r\n" + body);
    EXPECT_EQ(Release(), host::KFX_REL_ERROR);
    auto log = LogLines();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].message,
              u"HTTP Request returned 500 (Internal Server Error) Unknown document type");
    EXPECT_EQ(SentMessages(), std::vector<std::u16string>{log[0].message});
}

TEST_F(ReleaseScriptTest, FailedValuesOrCountPostNothing) {
    StoreServerSettings();
    host.Failures().Fail("ReleaseData.GetValues");
    EXPECT_EQ(Release(), host::KFX_REL_ERROR);
    host.Failures().ClearRules();
    host.Failures().Fail("Values.GetCount");
    EXPECT_EQ(Release(), host::KFX_REL_ERROR);

    EXPECT_TRUE(server.Requests().empty());
    auto log = LogLines();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].message, u"Failed to get values");
    EXPECT_EQ(log[1].message, u"Failed to get count of values");
    EXPECT_EQ(SentMessages().size(), 2u);
}

TEST_F(ReleaseScriptTest, FailedPropertyCollectionFallsBackToDefaults) {
    StoreServerSettings();
    record->links = {{server.Url(), host::KFX_REL_TEXTCONSTANT, u"docStoreServer"},
                     {u"Main", host::KFX_REL_TEXTCONSTANT, u"docStoreName"}};
    record->customProperties.push_back({u"authorityPublic", u""});
    host.Failures().Fail("ReleaseData.GetCustomProperties");
    ASSERT_EQ(Release(), host::KFX_REL_SUCCESS);
    EXPECT_EQ(PartContent("authorityPublic"), "*RWX");
}

// Whatever single host operation fails, the release ends in a result and at most one request.
TEST_F(ReleaseScriptTest, SurvivesTheFailureOfAnyHostOperation) {
    StoreServerSettings();
    record->links = {{u"Amount", host::KFX_REL_INDEXFIELD, u"00"}};
    record->customProperties.push_back({u"docTypeKeyName[00]", u"amount"});
    record->indexFields = {{u"Amount", u"Lines"}};
    document.tableColumns = {{u"Amount", {u"1", u"2"}}};
    document.imageFiles = {MakeFile("a.tif", "a")};
    for (std::string_view operation : host::sim::OperationNames()) {
        if (!operation.starts_with("ReleaseData.") && !operation.starts_with("Value") &&
            !operation.starts_with("Row") && !operation.starts_with("Image") &&
            !operation.starts_with("Custom")) {
            continue;
        }
        host.Failures().ClearRules();
        host.Failures().Fail(operation);
        host::KfxReturnValue result = Release();
        EXPECT_TRUE(result == host::KFX_REL_SUCCESS || result == host::KFX_REL_ERROR) << operation;
    }
}

}  // namespace
}  // namespace zarn::test
