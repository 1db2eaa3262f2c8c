// GET over libcurl against servers on loopback.

#include "transport/http_get.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/support/raw_server.h"
#include "tests/support/test_server.h"
#include "tests/transport/transport_fixture.h"

namespace zarn::test {
namespace {

class HttpGetTest : public ::testing::Test {
  protected:
    bool Get(const std::u16string& url) {
        return HttpGet(t.services, url, u"", u"", response, error);
    }

    TestServer server;
    RawServer raw;
    TransportServices t;
    std::unique_ptr<XmlDocument> response;
    std::u16string error;
};

TEST_F(HttpGetTest, OkGivesTheDocumentAndLeavesTheErrorAlone) {
    server.SetReply("/docStore/store/", {200,
                                         "text/xml",
                                         "<ZARN><docStore><store><name>Main"
                                         "</name></store></docStore></ZARN>",
                                         {}});
    error = u"untouched";
    ASSERT_TRUE(Get(server.Url("/docStore/store/")));
    EXPECT_EQ(error, u"untouched");
    ASSERT_TRUE(response);
    EXPECT_EQ(response->SelectSingleNode(u"/ZARN/docStore/store/name")->Text(), u"Main");
}

TEST_F(HttpGetTest, OkWithABodyThatIsNotXmlGivesAnEmptyDocument) {
    server.SetReply("/docStore/store/", {200, "text/html", "<html><p>maintenance</html>", {}});
    ASSERT_TRUE(Get(server.Url("/docStore/store/")));
    ASSERT_TRUE(response);
    EXPECT_FALSE(response->SelectSingleNode(u"/*"));
}

TEST_F(HttpGetTest, RequestLineAndHeadersOnTheWire) {
    ASSERT_TRUE(Get(raw.Url("/docStore/store/") + u"My Store")) << Narrow(error);
    std::string head = raw.Requests().at(0).head;
    EXPECT_EQ(head.substr(0, head.find("\r\n")), "GET /docStore/store/My%20Store HTTP/1.1");
    std::size_t since = head.find("\r\nIf-Modified-Since: Sat, 1 Jan 2000 00:00:00 GMT\r\n");
    std::size_t charset = head.find("\r\ncharset: utf-8\r\n");
    ASSERT_NE(since, std::string::npos);
    ASSERT_NE(charset, std::string::npos);
    EXPECT_LT(since, charset);
    EXPECT_EQ(head.find("Content-"), std::string::npos);
    EXPECT_TRUE(raw.Requests()[0].body.empty());
}

TEST_F(HttpGetTest, StatusOtherThanOkGivesStatusAndReasonOnly) {
    server.SetReply("/docStore/store/", {304, "text/xml", "", {}});
    EXPECT_FALSE(Get(server.Url("/docStore/store/")));
    EXPECT_EQ(error, u"HTTP Request returned 304, Not Modified");

    server.SetReply("/docStore/store/",
                    {500, "text/xml", "<e><p id='statusDescription'>down</p></e>", {}});
    EXPECT_FALSE(Get(server.Url("/docStore/store/")));
    EXPECT_EQ(error, u"HTTP Request returned 500, Internal Server Error");
    EXPECT_FALSE(response);
}

TEST_F(HttpGetTest, TransportFailuresCarryNoCode) {
    std::u16string url;
    {
        RawServer closed;
        url = closed.Url("/docStore/store/");
    }
    EXPECT_FALSE(Get(url));
    EXPECT_EQ(error, u"http request failed: Unable to contact server");

    raw.SetBehaviour(RawServer::Behaviour::kSilent);
    EXPECT_FALSE(Get(raw.Url("/docStore/store/")));
    EXPECT_EQ(error, u"http request failed: The operation timed out");
}

TEST_F(HttpGetTest, BadServerUrlFailsToOpen) {
    for (std::u16string url : {u"", u"/docStore/store/", u"ftp://127.0.0.1/docStore/store/",
                               u"http://bad host/docStore/store/"}) {
        error.clear();
        EXPECT_FALSE(Get(url));
        EXPECT_EQ(error, u"Failed to open XMLHTTPRequest") << Narrow(url);
    }
}

TEST_F(HttpGetTest, RequestObjectsShareKeptConnections) {
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(Get(raw.Url("/docStore/store/")));
    EXPECT_EQ(raw.Requests().size(), 5u);
    EXPECT_EQ(raw.Connections().size(), 1u);
}

TEST_F(HttpGetTest, RedirectIsFollowed) {
    server.SetReply("/old", {301, "text/plain", "", {{"Location", "/docStore/store/"}}});
    server.SetReply("/docStore/store/", {200, "text/xml", "<ZARN/>", {}});
    ASSERT_TRUE(Get(server.Url("/old"))) << Narrow(error);
    EXPECT_TRUE(response->SelectSingleNode(u"/ZARN"));

    server.SetReply("/loop", {302, "text/plain", "", {{"Location", "/loop"}}});
    EXPECT_FALSE(Get(server.Url("/loop")));
    EXPECT_EQ(error,
              u"http request failed: The redirection failed because either the scheme changed or "
              u"all attempts made to redirect failed");
}

TEST_F(HttpGetTest, RequestsOnSeveralThreadsAtOnceEachComplete) {
    constexpr int kThreads = 4;
    constexpr int kRequests = 100;
    std::atomic<int> succeeded{0};
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i) {
        threads.emplace_back([&] {
            for (int j = 0; j < kRequests; ++j) {
                std::unique_ptr<XmlDocument> document;
                std::u16string failure;
                if (HttpGet(t.services, raw.Url("/docStore/store/"), u"", u"", document, failure))
                    ++succeeded;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(succeeded, kThreads * kRequests);
    EXPECT_EQ(raw.Requests().size(), std::size_t{kThreads * kRequests});
    // Connections are kept per request object handle, never used by two threads at once.
    EXPECT_LE(raw.Connections().size(), std::size_t{kThreads * kRequests / 10});
}

}  // namespace
}  // namespace zarn::test
