#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>

#include "tests/support/test_server.h"
#include "tests/tools/zarnrel_fixture.h"
#include "tools/docstore_server/document_archive.h"

namespace zarn::test {
namespace {

using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::Pair;

using ZarnrelReleaseTest = ZarnrelTest;

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::vector<std::string> ValuesNamed(const std::vector<std::pair<std::string, std::string>>& fields,
                                     const std::string& name) {
    std::vector<std::string> values;
    for (const auto& [fieldName, value] : fields) {
        if (fieldName == name) {
            values.push_back(value);
        }
    }
    return values;
}

std::string TestServerUrl(const TestServer& server) {
    return "http://127.0.0.1:" + std::to_string(server.Port());
}

TEST_F(ZarnrelReleaseTest, ReleasesEveryDocumentAndReportsEachAsItGoes) {
    const std::string url = StartReferenceServer();
    const std::string batch = WriteBatch(SampleBatch());
    const ProgramResult result = RunZarnrel({"release", batch, "--server", url});
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    const std::string documents = (folder() / "documents").string();
    // The Kofax PDF wins over the page image; the imported file wins over both when it exists;
    // a non-image document sends its first file.
    EXPECT_EQ(result.out,
              "[1/3] Invoice 1001 ... released: Document Released Successfully " + documents +
                  "/invoice-1001.pdf\n"
                  "[2/3] Invoice 1002 ... released: Document Released Successfully " +
                  documents +
                  "/invoice-1002.tif\n"
                  "[3/3] Invoice 1003 (e-invoice) ... released: Document Released Successfully " +
                  documents +
                  "/invoice-1003.xml\n"
                  "All 3 documents were released.\n");

    const std::vector<docstore::StoredDocument> stored = docstore::ListStoredDocuments(storeDir());
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[0].fileName, "invoice-1001.pdf");
    EXPECT_EQ(ReadFile(stored[0].folder / stored[0].fileName),
              ReadFile(folder() / "documents" / "invoice-1001.pdf"));
    const auto& fields = stored[0].fields;
    EXPECT_THAT(fields, Contains(Pair("description", "Invoices March 2024")));
    EXPECT_THAT(fields, Contains(Pair("authorityPublic", "*R")));
    // The multi-value field and the table column arrive as repeated fields, in order.
    EXPECT_EQ(ValuesNamed(fields, "Tag"), (std::vector<std::string>{"urgent", "paid"}));
    EXPECT_EQ(ValuesNamed(fields, "LineAmount"), (std::vector<std::string>{"100.00", "250.50"}));
    EXPECT_THAT(stored[2].fields, Contains(Pair("InvoiceNo", "1003")));
}

TEST_F(ZarnrelReleaseTest, ARefusedDocumentFailsWithTheServersReasonAndTheOthersGoOn) {
    const std::string url = StartReferenceServer();
    nlohmann::json batch = SampleBatch();
    batch["documents"][1]["indexFields"].erase("Supplier");
    const ProgramResult result = RunZarnrel({"release", WriteBatch(batch), "--server", url});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_THAT(result.out, HasSubstr("[1/3] Invoice 1001 ... released: "));
    EXPECT_THAT(result.out,
                HasSubstr("[2/3] Invoice 1002 ... FAILED: HTTP Request returned 400 (Bad "
                          "Request) Required key \"Supplier\" of document type \"Invoice\" is "
                          "missing\n"));
    EXPECT_THAT(result.out, HasSubstr("[3/3] Invoice 1003 (e-invoice) ... released: "));
    EXPECT_THAT(result.out, HasSubstr("2 of 3 documents released, 1 failed.\n"));
    EXPECT_EQ(docstore::ListStoredDocuments(storeDir()).size(), 2u);
}

TEST_F(ZarnrelReleaseTest, AnUnreachableServerFailsEveryDocumentWithTheTransportsText) {
    nlohmann::json batch = SampleBatch();
    batch["documents"].erase(2);
    const ProgramResult result =
        RunZarnrel({"release", WriteBatch(batch), "--server", UnreachableUrl()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_THAT(result.out,
                HasSubstr("[1/2] Invoice 1001 ... FAILED: http request failed: 0x800C0005, "
                          "Unable to contact server\n[2/2] Invoice 1002 ... FAILED: "));
    EXPECT_THAT(result.out, HasSubstr("0 of 2 documents released, 2 failed.\n"));
}

TEST_F(ZarnrelReleaseTest, AFailedDocumentShowsTheLogTextExactlyWithTheStatusDescription) {
    TestServer server;
    // The description's own blanks are the server's.
    server.SetDefaultReply({500,
                            "text/xml",
                            "<ZARN><status><statusDescription id=\"statusDescription\"> Disk full "
                            "</statusDescription></status></ZARN>",
                            {}});
    nlohmann::json batch = SampleBatch();
    batch["documents"] = {batch["documents"][0]};
    const std::string path = WriteBatch(batch);
    ProgramResult result = RunZarnrel({"release", path, "--server", TestServerUrl(server)});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out,
              "[1/1] Invoice 1001 ... FAILED: HTTP Request returned 500 (Internal Server Error) "
              " Disk full \n0 of 1 documents released, 1 failed.\n");
    ASSERT_EQ(server.RequestCount(), 1u);
    EXPECT_EQ(server.Requests()[0].target, "/docStore/store/Finance/document/");

    // A reply without a description leaves the text ending in a blank.
    server.SetDefaultReply({201, "text/xml", "<ZARN/>", {}});
    result = RunZarnrel({"release", path, "--server", TestServerUrl(server)});
    EXPECT_THAT(result.out, HasSubstr("FAILED: HTTP Request returned 201 (Created) \n"));
}

TEST_F(ZarnrelReleaseTest, TheServerOfTheBatchIsUsedWhenNoneIsGiven) {
    TestServer server;
    server.SetDefaultReply({200, "text/xml", "<ZARN/>", {}});
    nlohmann::json batch = SampleBatch();
    batch["documents"] = {batch["documents"][0]};
    for (nlohmann::json& link : batch["setup"]["links"]) {
        if (link["destination"] == "docStoreServer") {
            link["source"] = TestServerUrl(server);
        }
    }
    const ProgramResult result = RunZarnrel({"release", WriteBatch(batch)});
    EXPECT_EQ(result.exitCode, 0) << result.out;
    EXPECT_EQ(server.RequestCount(), 1u);
}

TEST_F(ZarnrelReleaseTest, SendsTheCredentialsOfTheLinksElseThoseOfTheReleaseStep) {
    const std::string url = StartReferenceServer("clerk", "s3cret");
    nlohmann::json batch = SampleBatch();
    batch["documents"] = {batch["documents"][0]};
    batch["release"]["userName"] = "clerk";
    batch["release"]["password"] = "s3cret";
    // The sample's links carry empty credentials, which do not override the release step's.
    ProgramResult result = RunZarnrel({"release", WriteBatch(batch), "--server", url});
    EXPECT_EQ(result.exitCode, 0) << result.out;

    for (nlohmann::json& link : batch["setup"]["links"]) {
        if (link["destination"] == "docStorePassword") {
            link["source"] = "guess";
        }
    }
    batch["documents"][0]["indexFields"]["InvoiceNo"] = "1002";
    result = RunZarnrel({"release", WriteBatch(batch), "--server", url});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_THAT(result.out, HasSubstr("FAILED: HTTP Request returned 401 (Unauthorized) Wrong "
                                      "user name or password\n"));
}

class ZarnrelBadBatchTest : public ZarnrelTest {
  protected:
    // Runs the release of a batch against a server that counts requests: nothing may reach it.
    ProgramResult ReleaseNothingSent(const std::string& batchPath) {
        const ProgramResult result =
            RunZarnrel({"release", batchPath, "--server", TestServerUrl(server_)});
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(server_.RequestCount(), 0u);
        return result;
    }

    TestServer server_;
};

TEST_F(ZarnrelBadBatchTest, AMissingBatchFileIsNamed) {
    const std::string path = (folder() / "none.json").string();
    EXPECT_EQ(ReleaseNothingSent(path).err, "zarnrel release: " + path + ": no such file\n");
    // A device is refused, not read without end.
    EXPECT_EQ(ReleaseNothingSent("/dev/zero").err,
              "zarnrel release: /dev/zero: is not a regular file\n");
}

TEST_F(ZarnrelBadBatchTest, AMalformedBatchFileIsReportedWithItsLineAndColumn) {
    const std::string path = (folder() / "batch.json").string();
    std::ofstream(path)
        << "{\n  \"setup\": {},\n  \"documents\": [\n    {\"name\": \"a\",}\n  ]\n}\n";
    EXPECT_THAT(ReleaseNothingSent(path).err,
                HasSubstr("zarnrel release: " + path + ":4:18: syntax error"));
}

TEST_F(ZarnrelBadBatchTest, NestingDeeperThan200LevelsIsReportedWhereItGoesTooDeep) {
    // Lists and objects by turns, from the third level on; each pair takes six columns.
    const auto nested = [](std::size_t pairs) {
        std::string text = "{\"setup\": {}, \"documents\": [\n";
        for (std::size_t i = 0; i < pairs; ++i) {
            text += "[{\"a\":";
        }
        text += "1";
        for (std::size_t i = 0; i < pairs; ++i) {
            text += "}]";
        }
        return text + "\n]}";
    };
    const std::string path = (folder() / "batch.json").string();
    std::ofstream(path) << nested(50000);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(ReleaseNothingSent(path).err,
              "zarnrel release: " + path + ":2:595: nested more than 200 levels deep\n");
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));

    // 200 levels are read: the batch is refused for its content, not its depth.
    std::ofstream(path) << nested(99);
    EXPECT_EQ(
        ReleaseNothingSent(path).err,
        "zarnrel release: " + path + ":2:1: documents[0]: expected an object, found a list\n");

    // The reference server's catalogue file is read the same way.
    std::ofstream(path) << nested(50000);
    const ProgramResult serve = RunZarnrel({"serve", "--port", "0", "--catalogue", path});
    EXPECT_EQ(serve.exitCode, 2);
    EXPECT_EQ(serve.err, "zarnrel serve: " + path + ":2:595: nested more than 200 levels deep\n");
}

TEST_F(ZarnrelBadBatchTest, AMisspeltOrMistypedMemberIsReportedWithItsPlace) {
    nlohmann::json batch = SampleBatch();
    batch["documents"][0]["imagefiles"] = nlohmann::json::array();
    const std::string path = WriteBatch(batch);
    EXPECT_THAT(ReleaseNothingSent(path).err,
                HasSubstr("documents[0].imagefiles: unknown setting; expected one of: name, "
                          "documentId, indexFields, tables, imageFiles"));

    batch = SampleBatch();
    batch["release"]["rowSeparator"] = 1;
    EXPECT_THAT(ReleaseNothingSent(WriteBatch(batch)).err,
                HasSubstr("release.rowSeparator: expected a text, found a number"));

    batch = SampleBatch();
    batch["setup"]["links"][0]["sourceType"] = "field";
    EXPECT_THAT(ReleaseNothingSent(WriteBatch(batch)).err,
                HasSubstr("setup.links[0].sourceType: unknown source type \"field\""));
    // A number outside the host's source types would give the link no value without a word.
    batch["setup"]["links"][0]["sourceType"] = 5;
    EXPECT_THAT(ReleaseNothingSent(WriteBatch(batch)).err,
                HasSubstr("setup.links[0].sourceType: unknown source type 5; expected a number "
                          "from -1 to 4"));

    batch = SampleBatch();
    batch["documents"] = nlohmann::json::array();
    EXPECT_THAT(ReleaseNothingSent(WriteBatch(batch)).err,
                HasSubstr("documents: the batch has no documents"));
}

TEST_F(ZarnrelBadBatchTest, AMissingDocumentFileIsReportedBeforeAnythingIsSent) {
    nlohmann::json batch = SampleBatch();
    batch["documents"][1]["imageFiles"] = {"documents/lost.tif"};
    const std::string path = WriteBatch(batch);
    EXPECT_THAT(ReleaseNothingSent(path).err,
                HasSubstr("documents[1].imageFiles[0]: file not found: " +
                          (folder() / "documents" / "lost.tif").string()));
}

}  // namespace
}  // namespace zarn::test
