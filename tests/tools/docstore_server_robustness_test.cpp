#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "tests/tools/docstore_server_fixture.h"
#include "tests/tools/raw_client.h"

namespace zarn::docstore {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;
using std::chrono::steady_clock;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

using DocStoreServerRobustnessTest = DocStoreServerTest;

// Every path below `root`, relative to it, in order.
std::vector<std::string> TreeOf(const fs::path& root) {
    std::vector<std::string> tree;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        tree.push_back(fs::relative(entry.path(), root).string());
    }
    std::sort(tree.begin(), tree.end());
    return tree;
}

TEST_F(DocStoreServerRobustnessTest, DripFeedingClientsAreCutWhileOthersAreServedPromptly) {
    ServerSettings settings;
    settings.deadlines = {milliseconds(1500), milliseconds(1500), 1024};
    Start(settings);
    const std::string get =
        "GET /docStore/store/ HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Padding: " + std::string(100, 'x') +
        "\r\n\r\n";
    const std::string post = RawPost(SoundInvoice("1001"));
    // A third drip from the request line, a third from the headers, a third from the body.
    struct Dripper {
        std::unique_ptr<test::RawClient> client;
        std::string rest;
    };
    const auto started = steady_clock::now();
    std::vector<Dripper> drippers;
    for (int i = 0; i < 50; ++i) {
        const std::string& request = i % 3 == 2 ? post : get;
        const std::size_t whole = i % 3 == 0   ? 0
                                  : i % 3 == 1 ? request.find("\r\n") + 2
                                               : request.find("\r\n\r\n") + 4;
        auto client = std::make_unique<test::RawClient>(server_->port());
        client->Send(request.substr(0, whole));
        drippers.push_back({std::move(client), request.substr(whole)});
    }
    std::atomic<bool> stop = false;
    std::thread drip([&drippers, &stop] {
        for (std::size_t at = 0; !stop; ++at) {
            for (Dripper& dripper : drippers) {
                if (at < dripper.rest.size()) {
                    dripper.client->Send(dripper.rest.substr(at, 1));
                }
            }
            std::this_thread::sleep_for(milliseconds(100));
        }
    });

    const httplib::Result list = client_->Get("/docStore/store/");
    const httplib::Result stored = PostDocument("Finance", SoundInvoice("1002"));
    const auto answered = steady_clock::now() - started;
    ASSERT_TRUE(list);
    EXPECT_EQ(list->status, 200);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->status, 200) << stored->body;
    // Before the first dripper could be cut.
    EXPECT_LT(answered, milliseconds(1000));

    for (Dripper& dripper : drippers) {
        const std::string reply = dripper.client->ReadReply();
        EXPECT_THAT(reply, StartsWith("HTTP/1.1 408 Request Timeout\r\n"));
        EXPECT_THAT(reply, HasSubstr("Connection: close\r\n"));
        EXPECT_THAT(reply, EndsWith("\r\n\r\nThe request did not arrive in time.\n"));
        EXPECT_TRUE(dripper.client->Ended());
        const auto cut = steady_clock::now() - started;
        EXPECT_GE(cut, milliseconds(1500));
        EXPECT_LT(cut, milliseconds(4500));
    }
    stop = true;
    drip.join();
    // A request that was late in its first line is no request to log.
    const std::vector<std::string> log = Log(35);
    EXPECT_EQ(log.size(), 35u);
    EXPECT_EQ(std::count_if(log.begin(), log.end(),
                            [](const std::string& line) {
                                return line.find(" 408 The request did not arrive in time") !=
                                       std::string::npos;
                            }),
              33);
}

TEST_F(DocStoreServerRobustnessTest, NoReplyNamesTheStoreFolderWhichOnlyTheLogShows) {
    Start();
    std::vector<std::string> replies;
    const auto ask = [this, &replies](const std::string& request) {
        test::RawClient client(server_->port());
        client.Send(request);
        replies.push_back(client.ReadReply());
        return replies.back();
    };
    EXPECT_THAT(ask(RawPost(SoundInvoice("1001"))), StartsWith("HTTP/1.1 200 OK\r\n"));
    EXPECT_THAT(ask(RawPost(SoundInvoice("1001"))), StartsWith("HTTP/1.1 409 Conflict\r\n"));
    // A file name longer than the file system allows: the write fails and leaves nothing.
    std::vector<Part> longName = SoundInvoice("1002");
    longName[2].fileName = std::string(300, 'n') + ".pdf";
    const std::string unwritten = ask(RawPost(longName));
    EXPECT_THAT(unwritten, StartsWith("HTTP/1.1 500 Internal Server Error\r\n"));
    EXPECT_EQ(StatusDescription(unwritten), "The document could not be stored");
    EXPECT_THAT(TreeOf(folder_.path() / "Finance"),
                ElementsAre("000001", "000001/document.json", "000001/in voice.pdf"));
    // A store folder that is no folder: no id can be taken.
    fs::rename(folder_.path() / "Finance", folder_.path() / "moved");
    std::ofstream(folder_.path() / "Finance") << "not a folder";
    EXPECT_EQ(StatusDescription(ask(RawPost(SoundInvoice("1003")))),
              "The document could not be stored");
    EXPECT_THAT(ask(RawPost(SoundInvoice("1004"), "", "..%2F..%2Fetc")),
                StartsWith("HTTP/1.1 404 Not Found\r\n"));
    EXPECT_THAT(
        ask("POST /docStore/store/moved/document/ HTTP/1.1\r\nHost: 127.0.0.1\r\n"
            "Content-Type: multipart/form-data; boundary=b\r\nContent-Length: 4\r\n\r\nnone"),
        StartsWith("HTTP/1.1 404 Not Found\r\n"));
    EXPECT_THAT(
        ask("POST /docStore/store/HR%20Records/document/ HTTP/1.1\r\nHost: 127.0.0.1\r\n"
            "Content-Type: multipart/form-data; boundary=b\r\nContent-Length: 4\r\n\r\nnone"),
        StartsWith("HTTP/1.1 400 Bad Request\r\n"));
    for (const std::string& reply : replies) {
        EXPECT_EQ(reply.find(folder_.path().string()), std::string::npos) << reply;
    }
    const std::vector<std::string> log = Log(replies.size());
    ASSERT_EQ(log.size(), replies.size());
    EXPECT_THAT(log[2], HasSubstr("500 The document could not be stored: cannot write " +
                                  (folder_.path() / "Finance" / "000002.part").string() + ": "));
    EXPECT_THAT(log[3], HasSubstr("500 The document could not be stored: no document id free in " +
                                  (folder_.path() / "Finance").string() + ": "));
}

TEST_F(DocStoreServerRobustnessTest, TheBasicSchemeIsTakenInAnyLetterCaseAfterAnyRunOfSpaces) {
    ServerSettings settings;
    settings.user = "clerk";
    settings.password = "s3cret";
    Start(settings);
    const std::string credentials = "Y2xlcms6czNjcmV0";  // clerk:s3cret
    for (const std::string scheme : {"Basic ", "basic ", "BASIC ", "bAsIc    "}) {
        const httplib::Result reply =
            client_->Get("/docStore/store/", {{"Authorization", scheme + credentials}});
        ASSERT_TRUE(reply);
        EXPECT_EQ(reply->status, 200) << scheme;
    }
    for (const std::string& refused :
         {"Basic" + credentials, "Bearer " + credentials, "Basic\t" + credentials,
          "Basi " + credentials, "Basic " + credentials + "x", std::string("Basic ")}) {
        const httplib::Result reply =
            client_->Get("/docStore/store/", {{"Authorization", refused}});
        ASSERT_TRUE(reply);
        EXPECT_EQ(reply->status, 401) << refused;
    }
}

TEST_F(DocStoreServerRobustnessTest, APostCutOffHalfWayLeavesNothingBehindAfterARestart) {
    Start();
    const std::string post = RawPost(SoundInvoice("1001"));
    const std::size_t body = post.find("\r\n\r\n") + 4;
    {
        test::RawClient cut(server_->port());
        cut.Send(post.substr(0, body + (post.size() - body) / 2));
    }
    EXPECT_THAT(Log(1).at(0), HasSubstr(" POST /docStore/store/Finance/document/ 400 "));
    // What a server stopped in the middle of a write leaves: the id it took and the unfinished
    // copy, the file cut short and no metadata.
    const fs::path finance = folder_.path() / "Finance";
    fs::create_directories(finance / "000001");
    fs::create_directories(finance / "000001.part");
    std::ofstream(finance / "000001.part" / "in voice.pdf") << "%PDF";
    fs::create_directories(finance / "000002.part");

    client_.reset();
    server_.reset();
    Start();
    EXPECT_THAT(TreeOf(folder_.path()), ElementsAre("Finance"));
    const httplib::Result stored = PostDocument("Finance", SoundInvoice("1001"));
    ASSERT_TRUE(stored);
    EXPECT_EQ(StatusDescription(stored->body),
              "Document 000001 stored (Invoice, in voice.pdf, 12 bytes)");
    EXPECT_THAT(TreeOf(folder_.path()),
                ElementsAre("Finance", "Finance/000001", "Finance/000001/document.json",
                            "Finance/000001/in voice.pdf"));
}

}  // namespace
}  // namespace zarn::docstore
