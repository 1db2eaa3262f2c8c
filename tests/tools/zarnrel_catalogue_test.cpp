#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/utf16_text.h"
#include "tests/support/raw_server.h"
#include "tests/support/test_server.h"
#include "tests/tools/zarnrel_fixture.h"

namespace zarn::test {
namespace {

using ::testing::HasSubstr;

using ZarnrelCatalogueTest = ZarnrelTest;

TEST_F(ZarnrelCatalogueTest, PrintsStoresTypesAndKeysInSortOrderAsATree) {
    const std::string url = StartReferenceServer();
    const ProgramResult result = RunZarnrel({"catalogue", "--server", url});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_THAT(result.out, HasSubstr("Catalogue of " + url +
                                      ": 2 stores\n"
                                      "\n"
                                      "Finance: Accounts payable and receivable (library FINLIB)\n"
                                      "  Invoice: Supplier invoice\n"
                                      "    [00] InvoiceNo    Text (Max Length: 20)      "
                                      "required, unique  Invoice number\n"
                                      "    [01] Supplier     Text (Max Length: 80)      "
                                      "required          Supplier name\n"
                                      "    [02] InvoiceDate  Date (Format: YYYY-MM-DD)  "
                                      "                  Invoice date\n"));
    // Sort order, not link order; the store with a blank in its name is fetched too.
    EXPECT_THAT(result.out, HasSubstr("  CreditNote: Credit note from a supplier\n"
                                      "    [00] CreditNoteNo  Text (Length: 10)"));
    EXPECT_THAT(result.out, HasSubstr("HR Records: Personnel files (library HRLIB)\n"
                                      "  Contract: Employment contract\n"
                                      "    [00] EmployeeNo  Numeric (-2147483648 to "
                                      "+2147483647)  required  Employee number\n"));
    EXPECT_THAT(result.out, HasSubstr("  Application: Job application\n    (no keys)\n"));
}

TEST_F(ZarnrelCatalogueTest, PrintsTheSameAsJsonForScripts) {
    const std::string url = StartReferenceServer();
    const ProgramResult result = RunZarnrel({"catalogue", "--json", "--server", url});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const nlohmann::json catalogue = nlohmann::json::parse(result.out);
    EXPECT_EQ(catalogue["server"], url);
    ASSERT_EQ(catalogue["stores"].size(), 2u);
    const nlohmann::json& finance = catalogue["stores"][0];
    EXPECT_EQ(finance["library"], "FINLIB");
    EXPECT_EQ(finance["keys"].size(), 7u);
    const nlohmann::json& amount = finance["documentTypes"][0]["keys"][3];
    EXPECT_EQ(amount["parameter"], "03");
    EXPECT_EQ(amount["name"], "Amount");
    EXPECT_EQ(amount["typeDescription"], "Decimal (12, 2)");
    EXPECT_EQ(amount["required"], false);
    EXPECT_EQ(finance["documentTypes"][0]["keys"][0]["unique"], true);
    EXPECT_EQ(finance["documentTypes"][0]["autoName"], true);
    EXPECT_EQ(catalogue["stores"][1]["name"], "HR Records");
}

TEST_F(ZarnrelCatalogueTest, SendsTheCredentialsFromTheCommandLineOrTheEnvironment) {
    const std::string url = StartReferenceServer("clerk", "s3cret");
    EXPECT_EQ(RunZarnrel({"catalogue", "--server", url, "--user", "clerk", "--password", "s3cret"})
                  .exitCode,
              0);
    EXPECT_EQ(RunZarnrel({"catalogue", "--server", url, "--user", "clerk"},
                         {{"ZARNREL_PASSWORD", "s3cret"}})
                  .exitCode,
              0);
    const ProgramResult wrong =
        RunZarnrel({"catalogue", "--server", url, "--user", "clerk", "--password", "guess"});
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_THAT(wrong.err, HasSubstr("Message: HTTP Request returned 401, Unauthorized"));
}

TEST_F(ZarnrelCatalogueTest, AnUnreachableServerPrintsTheSystemsMessageAndExits1) {
    const std::string url = UnreachableUrl();
    const ProgramResult result = RunZarnrel({"catalogue", "--server", url});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "Failed to retrieve data from " + url +
                              "/docStore/store/.\\nMessage: http request failed: Unable to "
                              "contact server\n");
    EXPECT_EQ(result.out, "");
}

TEST_F(ZarnrelCatalogueTest, ARequestThatOutlastsTheTimeoutFails) {
    RawServer raw;
    raw.SetBehaviour(RawServer::Behaviour::kDripFeed);
    raw.SetReply(RawServer::Reply("HTTP/1.1 200 OK", "<ZARN>" + std::string(600, ' ') + "</ZARN>"));
    const ProgramResult result = RunZarnrel(
        {"catalogue", "--server", ToUtf8(raw.Url()), "--connect-timeout", "5", "--timeout", "2"},
        {}, std::chrono::seconds(30));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_THAT(result.err, HasSubstr("Message: http request failed: The operation timed out"));
}

TEST_F(ZarnrelCatalogueTest, AReplyThatIsNoCatalogueDocumentIsAFailedRequest) {
    TestServer server;
    const std::string url = "http://127.0.0.1:" + std::to_string(server.Port());
    const std::string notXml = "it is not well-formed XML, or it nests elements too deeply";
    struct Case {
        std::string storeList;
        std::string reason;  // empty: a catalogue
    };
    std::string deep = "<ZARN><docStore>";
    for (int level = 0; level < 300; ++level)
        deep += "<d>";
    for (int level = 0; level < 300; ++level)
        deep += "</d>";
    const Case cases[] = {
        {"Service temporarily unavailable", notXml},
        {"<ZARN><docStore></ZARN>", notXml},
        {deep + "</docStore></ZARN>", notXml},
        {"<html><body>maintenance</body></html>", "its root element is not ZARN"},
        {"<ZARN><docStore/></ZARN>", ""},
        {"<ZARN/>", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.storeList.substr(0, 40));
        server.SetReply("/docStore/store/", {200, "text/xml", c.storeList, {}});
        const ProgramResult result = RunZarnrel({"catalogue", "--server", url});
        if (c.reason.empty()) {
            EXPECT_EQ(result.exitCode, 0);
            EXPECT_EQ(result.err, "");
            EXPECT_THAT(result.out, HasSubstr(": 0 stores\n"));
            continue;
        }
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "Failed to retrieve data from " + url +
                                  "/docStore/store/.\\nMessage: The reply is not a catalogue "
                                  "document: " +
                                  c.reason + "\n");
    }

    // A store's details: the store is shown without document types.
    server.SetReply(
        "/docStore/store/",
        {200, "text/xml", "<ZARN><docStore><store><name>A</name></store></docStore></ZARN>", {}});
    server.SetReply("/docStore/store/A/docTypeKey/", {200, "text/html", "<html/>", {}});
    const ProgramResult details = RunZarnrel({"catalogue", "--server", url});
    EXPECT_EQ(details.exitCode, 1);
    EXPECT_THAT(details.out, HasSubstr("A\n  (no document types)\n"));
    EXPECT_THAT(details.err, HasSubstr("/docStore/store/A/docTypeKey/.\\nMessage: The reply is not "
                                       "a catalogue document: its root element is not ZARN\n"));
}

TEST_F(ZarnrelCatalogueTest, AServerAnswering500PrintsTheStatusAndExits1) {
    TestServer server;
    server.SetDefaultReply({500, "text/plain", "boom", {}});
    const ProgramResult result =
        RunZarnrel({"catalogue", "--server", "http://127.0.0.1:" + std::to_string(server.Port())});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_THAT(result.err, HasSubstr("Message: HTTP Request returned 500, Internal Server Error"));
}

TEST_F(ZarnrelCatalogueTest, AStoreWhoseDetailsFailIsShownEmptyAndTheRunExits1) {
    TestServer server;
    server.SetReply("/docStore/store/",
                    {200,
                     "text/xml",
                     "<ZARN><docStore><store><name>Good</name></store><store><name>Bad Store"
                     "</name></store></docStore></ZARN>",
                     {}});
    server.SetReply("/docStore/store/Good/docTypeKey/",
                    {200,
                     "text/xml",
                     "<ZARN><docStore><store><documentTypes><documentType><name>Letter</name>"
                     "</documentType></documentTypes></store></docStore></ZARN>",
                     {}});
    server.SetReply("/docStore/store/Bad%20Store/docTypeKey/", {503, "text/plain", "", {}});
    const std::string url = "http://127.0.0.1:" + std::to_string(server.Port());
    const ProgramResult result = RunZarnrel({"catalogue", "--server", url});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_THAT(result.out, HasSubstr("Good\n  Letter\n    (no keys)\n\nBad Store\n"
                                      "  (no document types)\n"));
    EXPECT_EQ(result.err, "Failed to retrieve data from " + url +
                              "/docStore/store/Bad%20Store/docTypeKey/.\\nMessage: HTTP Request "
                              "returned 503, Service Unavailable\n");
}

}  // namespace
}  // namespace zarn::test
