#include <httplib.h>
#include <signal.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <regex>

#include "tests/tools/zarnrel_fixture.h"
#include "tools/docstore_server/document_archive.h"

namespace zarn::test {
namespace {

using ::testing::HasSubstr;

using ZarnrelServeTest = ZarnrelTest;

TEST_F(ZarnrelServeTest, ServesOnAFreePortUntilStoppedAndLogsEachRequest) {
    const std::string store = storeDir().string();
    BackgroundZarnrel server({"serve", "--port", "0", "--store-dir", store});
    const std::string first = server.ReadLine();
    std::smatch match;
    ASSERT_TRUE(std::regex_search(first, match,
                                  std::regex("^Listening on (http://127\\.0\\.0\\.1:"
                                             "([0-9]+)) \\(documents in (.*);")))
        << first;
    EXPECT_EQ(match[3], store);
    const std::string url = match[1];

    // The bundled sample catalogue is served when no catalogue is given.
    httplib::Client client("127.0.0.1", std::stoi(match[2]));
    const httplib::Result list = client.Get("/docStore/store/");
    ASSERT_TRUE(list);
    EXPECT_THAT(list->body, HasSubstr("<name>HR Records</name>"));
    EXPECT_THAT(server.ReadLine(), HasSubstr(" GET /docStore/store/ 200 2 store(s)"));

    const ProgramResult release =
        RunZarnrel({"release", WriteBatch(SampleBatch()), "--server", url});
    EXPECT_EQ(release.exitCode, 0) << release.out;
    for (int i = 1; i <= 3; ++i) {
        EXPECT_THAT(server.ReadLine(), HasSubstr(" POST /docStore/store/Finance/document/ 200 "
                                                 "Document 00000" +
                                                 std::to_string(i) + " stored"));
    }
    EXPECT_EQ(docstore::ListStoredDocuments(storeDir()).size(), 3u);

    const ProgramResult stopped = server.Stop(SIGTERM);
    EXPECT_EQ(stopped.exitCode, 0) << stopped.err;
    EXPECT_EQ(stopped.out, "Stopped.\n");
}

TEST_F(ZarnrelServeTest, ABadCatalogueFileIsReportedWithItsLineAndColumn) {
    const std::string path = (folder() / "catalogue.json").string();
    std::ofstream(path) << "{\"stores\": [\n  {\"name\": \"A\", \"keys\": [{\"name\": \"K\"}]}\n]}";
    const ProgramResult result = RunZarnrel({"serve", "--port", "0", "--catalogue", path});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_THAT(result.err, HasSubstr("zarnrel serve: " + path +
                                      ":2:26: stores[0].keys[0]: \"type\" is missing"));
    EXPECT_EQ(result.out, "");
}

using ZarnrelDemoTest = ZarnrelTest;

TEST_F(ZarnrelDemoTest, RunsEveryStepWithNothingButTheBuildAndCleansUp) {
    const ProgramResult result = RunZarnrel({"demo"});
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    EXPECT_EQ(result.err, "");
    for (const char* expected :
         {"== 1. Reference document-store server ==", "== 2. Catalogue: zarnrel catalogue",
          "Finance: Accounts payable and receivable (library FINLIB)", "  server | ",
          "All 3 documents were released.", "== 4. What the server stored",
          "Finance/000002: Finance / Invoice, file invoice-1002.tif (138 bytes)",
          "    Tag = urgent\n    Tag = paid\n",
          "    LineAmount = 100.00\n    LineAmount = 250.50\n",
          "Demo finished: every step succeeded."}) {
        EXPECT_THAT(result.out, HasSubstr(expected));
    }
    std::smatch match;
    ASSERT_TRUE(std::regex_search(result.out, match, std::regex("documents in (/[^\\n]*)\\n")));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(match[1].str()).parent_path()));
}

TEST_F(ZarnrelDemoTest, KeepsItsFilesInTheFolderGiven) {
    const std::filesystem::path kept = folder() / "demo";
    const ProgramResult result = RunZarnrel({"demo", "--dir", kept.string()});
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    EXPECT_TRUE(std::filesystem::exists(kept / "batch.json"));
    EXPECT_TRUE(std::filesystem::exists(kept / "documents" / "invoice-1001.pdf"));
    EXPECT_EQ(docstore::ListStoredDocuments(kept / "docstore").size(), 3u);
    EXPECT_THAT(result.out,
                HasSubstr("The sample files and the stored documents are in " + kept.string()));

    // A second run would overwrite the first one's files: the folder must be new or empty.
    const ProgramResult again = RunZarnrel({"demo", "--dir", kept.string()});
    EXPECT_EQ(again.exitCode, 2);
    EXPECT_EQ(again.err,
              "zarnrel demo: " + kept.string() + " is not empty; give a new or empty folder\n");
    EXPECT_EQ(again.out, "");
}

}  // namespace
}  // namespace zarn::test
