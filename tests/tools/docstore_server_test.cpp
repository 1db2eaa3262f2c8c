#include <httplib.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <mutex>
#include <sstream>

#include "tests/tools/docstore_server_fixture.h"
#include "tests/tools/raw_client.h"
#include "tools/docstore_server/document_archive.h"

namespace zarn::docstore {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Pair;

TEST_F(DocStoreServerTest, ServesTheStoreListAndEachStoresDetails) {
    Start();
    const httplib::Result list = client_->Get("/docStore/store/");
    ASSERT_TRUE(list);
    EXPECT_EQ(list->status, 200);
    EXPECT_THAT(list->get_header_value("Content-Type"), HasSubstr("xml"));
    EXPECT_THAT(list->body, HasSubstr("<ZARN><docStore>\n<store><name>Finance</name>"
                                      "<description>Accounts payable and receivable"
                                      "</description><library>FINLIB</library></store>"));
    EXPECT_THAT(list->body, HasSubstr("<name>HR Records</name>"));

    // The blank of the store name arrives percent-encoded.
    const httplib::Result details = client_->Get("/docStore/store/HR%20Records/docTypeKey/");
    ASSERT_TRUE(details);
    EXPECT_EQ(details->status, 200);
    EXPECT_THAT(details->body,
                HasSubstr("<docStoreKey><id>2</id><name>FullName</name><description>Full "
                          "name</description><type>VARCHAR</type><size>60</size><scale>0"
                          "</scale></docStoreKey>"));
    EXPECT_THAT(details->body,
                HasSubstr("<documentType><id>2</id><name>Application</name><description>Job "
                          "application</description><rootFolder></rootFolder><autoName>NO"
                          "</autoName></documentType>"));
    EXPECT_THAT(details->body,
                HasSubstr("<documentTypeKey><docTypeID>1</docTypeID><keyTableID>2</keyTableID>"
                          "<sortIndex>1</sortIndex><keyRequired>1</keyRequired><keyUnique>0"
                          "</keyUnique></documentTypeKey>"));

    // A server URL typed with a trailing slash still reaches the catalogue.
    const httplib::Result doubled = client_->Get("//docStore/store/");
    ASSERT_TRUE(doubled);
    EXPECT_EQ(doubled->status, 200);
}

TEST_F(DocStoreServerTest, UnknownStoresAndPathsAnswer404WithADescription) {
    Start();
    const httplib::Result store = client_->Get("/docStore/store/Nope/docTypeKey/");
    ASSERT_TRUE(store);
    EXPECT_EQ(store->status, 404);
    EXPECT_EQ(StatusDescription(store->body), "Unknown document store &quot;Nope&quot;");
    const httplib::Result path = client_->Get("/elsewhere");
    ASSERT_TRUE(path);
    EXPECT_EQ(path->status, 404);
    EXPECT_EQ(StatusDescription(path->body), "Nothing is served at /elsewhere");
}

TEST_F(DocStoreServerTest, StoresAnAcceptedDocumentWithItsFileAndFieldsInOrder) {
    Start();
    const httplib::Result reply = PostDocument("Finance", SoundInvoice("1001"));
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->status, 200) << reply->body;
    EXPECT_EQ(StatusDescription(reply->body),
              "Document 000001 stored (Invoice, in voice.pdf, 12 bytes)");
    EXPECT_THAT(reply->body, HasSubstr("<document><id>000001</id><docType>Invoice</docType>"));

    const std::vector<StoredDocument> stored = ListStoredDocuments(folder_.path());
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].id, 1);
    EXPECT_EQ(stored[0].store, "Finance");
    EXPECT_EQ(stored[0].docType, "Invoice");
    EXPECT_EQ(stored[0].folder, folder_.path() / "Finance" / "000001");
    // Only the last component of the posted name is used.
    EXPECT_EQ(stored[0].fileName, "in voice.pdf");
    EXPECT_THAT(
        stored[0].fields,
        ElementsAre(Pair("docType", "Invoice"), Pair("description", "March"),
                    Pair("authorityOwner", "accounts"), Pair("authorisationList", ""),
                    Pair("authorityPublic", "*RWX"), Pair("InvoiceNo", "1001"),
                    Pair("Supplier", "Contoso"), Pair("Tag", "urgent"), Pair("Tag", "paid")));
    std::ifstream file(stored[0].folder / "in voice.pdf", std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    EXPECT_EQ(content.str(), std::string("%PDF\0\r\n--x\r\n", 12));

    // The blank of a store name is written as %20 in its folder name.
    std::vector<Part> contract = {{"docType", "Contract"},
                                  {"document", "text", "contract.txt"},
                                  {"EmployeeNo", "7"},
                                  {"FullName", "Ada"}};
    const httplib::Result second = PostDocument("HR%20Records", contract);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->status, 200) << second->body;
    EXPECT_TRUE(
        std::filesystem::exists(folder_.path() / "HR%20Records" / "000001" / "contract.txt"));
}

TEST_F(DocStoreServerTest, AFileNamedLikeTheArchivesOwnFilesIsKeptBesideThem) {
    Start();
    for (const std::string name : {"document.json", "document.json.part"}) {
        std::vector<Part> parts = SoundInvoice(name);
        parts[2] = {"document", "content of " + name, name};
        const httplib::Result reply = PostDocument("Finance", parts);
        ASSERT_TRUE(reply);
        EXPECT_EQ(reply->status, 200) << reply->body;
    }
    const std::vector<StoredDocument> stored = ListStoredDocuments(folder_.path());
    ASSERT_EQ(stored.size(), 2u);
    for (const StoredDocument& document : stored) {
        std::ifstream file(document.folder / document.fileName, std::ios::binary);
        std::ostringstream content;
        content << file.rdbuf();
        EXPECT_EQ(content.str(), "content of " + document.fileName.substr(5));
    }
}

TEST_F(DocStoreServerTest, RefusesWhatTheCatalogueDoesNotAllowAndStoresNothing) {
    Start();
    struct Case {
        std::string store;
        std::vector<Part> parts;
        int status;
        std::string description;
    };
    const auto without = [](const std::string& name) {
        std::vector<Part> parts = SoundInvoice("1001");
        std::erase_if(parts, [&name](const Part& part) { return part.name == name; });
        return parts;
    };
    std::vector<Part> unknownType = SoundInvoice("1001");
    unknownType[0].value = "invoice";
    std::vector<Part> emptyKey = SoundInvoice("1001");
    emptyKey[7].value = "";
    const std::vector<Case> cases = {
        {"Nope", SoundInvoice("1001"), 404, "Unknown document store &quot;Nope&quot;"},
        {"Finance", unknownType, 400,
         "Unknown document type &quot;invoice&quot; in store &quot;Finance&quot;"},
        {"Finance", without("docType"), 400,
         "No document type was given (field &quot;docType&quot;)"},
        {"Finance", without("document"), 400,
         "No document file was sent (file part &quot;document&quot;)"},
        {"Finance", without("InvoiceNo"), 400,
         "Required key &quot;InvoiceNo&quot; of document type &quot;Invoice&quot; is missing"},
        {"Finance", emptyKey, 400,
         "Required key &quot;Supplier&quot; of document type &quot;Invoice&quot; is missing"},
    };
    for (const Case& refused : cases) {
        const httplib::Result reply = PostDocument(refused.store, refused.parts);
        ASSERT_TRUE(reply);
        EXPECT_EQ(reply->status, refused.status) << refused.description;
        EXPECT_EQ(StatusDescription(reply->body), refused.description);
    }
    const httplib::Result plain =
        client_->Post("/docStore/store/Finance/document/", "docType=Invoice",
                      "application/x-www-form-urlencoded");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->status, 415);
    EXPECT_EQ(StatusDescription(plain->body), "A document must be sent as multipart/form-data");
    EXPECT_TRUE(ListStoredDocuments(folder_.path()).empty());
}

TEST_F(DocStoreServerTest, AUniqueKeyValueIsRefusedOnceStoredAlsoAfterARestart) {
    Start();
    ASSERT_EQ(PostDocument("Finance", SoundInvoice("1001"))->status, 200);
    const httplib::Result again = PostDocument("Finance", SoundInvoice("1001"));
    ASSERT_TRUE(again);
    EXPECT_EQ(again->status, 409);
    EXPECT_EQ(StatusDescription(again->body),
              "Key &quot;InvoiceNo&quot; must be unique; a document with the value "
              "&quot;1001&quot; is stored already");

    client_.reset();
    server_.reset();
    Start();
    EXPECT_EQ(PostDocument("Finance", SoundInvoice("1001"))->status, 409);
    const httplib::Result next = PostDocument("Finance", SoundInvoice("1002"));
    ASSERT_TRUE(next);
    EXPECT_EQ(next->status, 200);
    EXPECT_THAT(StatusDescription(next->body), HasSubstr("Document 000002 stored"));
}

TEST_F(DocStoreServerTest, AStoredDocumentWhoseMetadataCannotBeReadIsLeftOut) {
    const std::filesystem::path damaged = folder_.path() / "Finance" / "000001";
    std::filesystem::create_directories(damaged);
    std::ofstream(damaged / kMetadataFileName)
        << R"({"id": "1", "fields": [{"name": "InvoiceNo", "value": 1001}]})";
    EXPECT_TRUE(ListStoredDocuments(folder_.path()).empty());

    Start();
    const httplib::Result reply = PostDocument("Finance", SoundInvoice("1001"));
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->status, 200) << reply->body;
    EXPECT_THAT(StatusDescription(reply->body), HasSubstr("Document 000002 stored"));
}

TEST_F(DocStoreServerTest, AsksForBasicAuthenticationWhenAUserIsConfigured) {
    ServerSettings settings;
    settings.user = "clerk";
    settings.password = "s3cret";
    Start(settings);
    const httplib::Result anonymous = client_->Get("/docStore/store/");
    ASSERT_TRUE(anonymous);
    EXPECT_EQ(anonymous->status, 401);
    EXPECT_EQ(anonymous->get_header_value("WWW-Authenticate"),
              "Basic realm=\"zarnRel document store\"");
    EXPECT_EQ(StatusDescription(anonymous->body), "Authentication is required");

    client_->set_basic_auth("clerk", "wrong");
    const httplib::Result wrong = client_->Get("/docStore/store/");
    ASSERT_TRUE(wrong);
    EXPECT_EQ(wrong->status, 401);
    EXPECT_EQ(StatusDescription(wrong->body), "Wrong user name or password");

    client_->set_basic_auth("clerk", "s3cret");
    EXPECT_EQ(client_->Get("/docStore/store/")->status, 200);
    EXPECT_EQ(PostDocument("Finance", SoundInvoice("1001"))->status, 200);

    // A refused post's body is left unread: its connection ends after the reply.
    test::RawClient raw(server_->port());
    raw.Send(RawPost(SoundInvoice("1002")));
    const std::string refused = raw.ReadReply();
    EXPECT_THAT(refused, HasSubstr("HTTP/1.1 401 Unauthorized\r\n"));
    EXPECT_THAT(refused, HasSubstr("Connection: close\r\n"));
    EXPECT_TRUE(raw.Ended());
}

TEST_F(DocStoreServerTest, KeepsAConnectionUntilTheClientAsksARequestIsUnreadableOrItStops) {
    Start();
    test::RawClient client(server_->port());
    const std::string storeList = "GET /docStore/store/ HTTP/1.1\r\nHost: 127.0.0.1\r\n";
    client.Send(storeList + "\r\n");
    EXPECT_THAT(client.ReadReply(), HasSubstr("HTTP/1.1 200 OK\r\n"));
    client.Send(RawPost(SoundInvoice("1001")));
    const std::string stored = client.ReadReply();
    EXPECT_THAT(stored, HasSubstr("HTTP/1.1 200 OK\r\n"));
    EXPECT_THAT(stored, HasSubstr("Keep-Alive: timeout=5"));
    client.Send("GET /elsewhere HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    EXPECT_THAT(client.ReadReply(), HasSubstr("HTTP/1.1 404 Not Found\r\n"));
    client.Send(RawPost(SoundInvoice("1002"), "Connection: close\r\n"));
    const std::string last = client.ReadReply();
    EXPECT_THAT(last, HasSubstr("HTTP/1.1 200 OK\r\n"));
    EXPECT_THAT(last, HasSubstr("Connection: close\r\n"));
    EXPECT_TRUE(client.Ended());
    EXPECT_EQ(Log(4).size(), 4u);
    EXPECT_EQ(server_->AcceptedConnections(), 1u);

    // The rest of a request whose head cannot be read would be taken for the next request.
    test::RawClient broken(server_->port());
    broken.Send("BREW /docStore/store/ HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    const std::string refused = broken.ReadReply();
    EXPECT_THAT(refused, HasSubstr("HTTP/1.1 400 Bad Request\r\n"));
    EXPECT_THAT(refused, HasSubstr("Connection: close\r\n"));
    EXPECT_TRUE(broken.Ended());

    // Stopping does not wait for an idle connection to time out.
    test::RawClient idle(server_->port());
    idle.Send(storeList + "\r\n");
    EXPECT_THAT(idle.ReadReply(), HasSubstr("HTTP/1.1 200 OK\r\n"));
    server_->Stop();
    EXPECT_TRUE(idle.Ended());
    EXPECT_EQ(server_->AcceptedConnections(), 3u);
}

TEST_F(DocStoreServerTest, LogsOneLinePerRequestWithItsOutcome) {
    Start();
    client_->Get("/docStore/store/");
    PostDocument("Finance", SoundInvoice("1001"));
    PostDocument("Finance", SoundInvoice("1001"));
    const std::vector<std::string> log = Log(3);
    ASSERT_EQ(log.size(), 3u);
    EXPECT_THAT(log[0], HasSubstr(" 127.0.0.1 GET /docStore/store/ 200 2 store(s)"));
    EXPECT_THAT(log[1], HasSubstr(" POST /docStore/store/Finance/document/ 200 Document 000001"));
    EXPECT_THAT(log[2], HasSubstr(" POST /docStore/store/Finance/document/ 409 Key \"InvoiceNo\""));

    // A line break in a request's path cannot start a line of its own.
    client_->Get("/docStore/store/X%0Aforged/docTypeKey/");
    const std::string line = Log(4).back();
    EXPECT_EQ(line.find('\n'), std::string::npos);
    EXPECT_THAT(line, HasSubstr(" GET /docStore/store/X\\nforged/docTypeKey/ 404 Unknown document "
                                "store \"X\\nforged\""));
    // Nor can one recolour the terminal or put bytes that are no UTF-8 on it.
    client_->Get("/docStore/store/%1B%5B31m%FF/docTypeKey/");
    EXPECT_THAT(Log(5).back(), HasSubstr(" GET /docStore/store/\\x1B[31m\\xFF/docTypeKey/ 404 "));
}

TEST_F(DocStoreServerTest, AnAddressInUseIsReportedNotFatal) {
    Start();
    ServerSettings settings;
    settings.port = server_->port();
    DocStoreServer second(SampleCatalogue(), settings);
    std::string error;
    EXPECT_FALSE(second.Start(error));
    EXPECT_THAT(error, HasSubstr("cannot listen on 127.0.0.1:" + std::to_string(settings.port)));
}

TEST(DocumentArchiveNamesTest, FolderAndFileNamesStayInsideTheirFolder) {
    EXPECT_EQ(StoreFolderName("Finance"), "Finance");
    EXPECT_EQ(StoreFolderName("HR Records"), "HR%20Records");
    EXPECT_EQ(StoreFolderName("../x"), "%2E.%2Fx");
    EXPECT_EQ(StoreFolderName("a/b\\c%"), "a%2Fb%5Cc%25");
    EXPECT_EQ(StoreFolderName("Ärger"), "%C3%84rger");

    EXPECT_EQ(SafeFileName("scan.tif"), "scan.tif");
    EXPECT_EQ(SafeFileName("C:\\import\\scan.tif"), "scan.tif");
    EXPECT_EQ(SafeFileName("../../etc/passwd"), "passwd");
    EXPECT_EQ(SafeFileName(".."), "document");
    EXPECT_EQ(SafeFileName("dir/"), "document");
    EXPECT_EQ(SafeFileName("a\tb:c?.txt"), "a_b_c_.txt");
    EXPECT_EQ(SafeFileName("document.json"), "file-document.json");
    EXPECT_EQ(SafeFileName("document.json.part"), "file-document.json.part");
}

}  // namespace
}  // namespace zarn::docstore
