// What a POST puts on the wire, read byte for byte from a raw server.

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/raw_server.h"
#include "tests/support/test_http_factory.h"
#include "tests/transport/transport_fixture.h"
#include "transport/multipart_body.h"

namespace zarn::test {
namespace {

constexpr char16_t kBoundary[] = u"---------------------------zarnRel";

std::vector<std::string> HeaderLines(const std::string& head) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < head.size();) {
        std::size_t end = head.find("\r\n", at);
        if (end == at)
            break;
        lines.push_back(head.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

std::string Bytes(const ByteStream& stream) {
    std::string bytes(stream.Size(), '\0');
    stream.Read(0, bytes.data(), bytes.size());
    return bytes;
}

class PostWireTest : public ::testing::Test {
  protected:
    bool Post(MultipartBody& body, const std::u16string& url, std::u16string user = u"",
              std::u16string password = u"") {
        return body.Post(t.services, url, user, password, response, error);
    }

    RawServer server;
    TransportServices t;
    std::unique_ptr<XmlDocument> response;
    std::u16string error;
};

TEST_F(PostWireTest, EmptyBodyAnnouncesAndSendsAllButTheClosingLineEnds) {
    MultipartBody body(kBoundary, t.files);
    ASSERT_TRUE(Post(body, server.Url("/docStore/store/Main/document/"))) << Narrow(error);

    EXPECT_EQ(body.Stream().Size(), 42u);
    EXPECT_EQ(Bytes(body.Stream()), "-----------------------------zarnRel--\r\n\r\n");
    ASSERT_EQ(server.Requests().size(), 1u);
    RawServer::Request request = server.Requests()[0];
    EXPECT_NE(request.head.find("\r\nContent-Length: 38\r\n"), std::string::npos);
    EXPECT_EQ(request.body, "-----------------------------zarnRel--");
    // Nothing follows the announced bytes on the connection.
    EXPECT_EQ(server.Connections()[0], request.head + request.body);
}

TEST_F(PostWireTest, SystemHeadersGoFirstInTheirOrderAndSpelling) {
    MultipartBody body(kBoundary, t.files);
    body.AddTextField(u"docType", u"AB");
    ASSERT_TRUE(Post(body, server.Url("/docStore/store/Main/document/"))) << Narrow(error);

    EXPECT_EQ(body.Stream().Size(), 134u);
    RawServer::Request request = server.Requests().at(0);
    std::vector<std::string> lines = HeaderLines(request.head);
    ASSERT_GE(lines.size(), 1u);
    EXPECT_EQ(lines[0], "POST /docStore/store/Main/document/ HTTP/1.1");

    std::vector<std::string> system;
    for (const std::string& line : lines) {
        if (line.rfind("If-Modified-Since:", 0) == 0 || line.rfind("charset:", 0) == 0 ||
            line.rfind("Content-", 0) == 0) {
            system.push_back(line);
        }
    }
    std::vector<std::string> expected{
        "If-Modified-Since: Sat, 1 Jan 2000 00:00:00 GMT",
        "charset: utf-8",
        "Content-type: multipart/form-data; boundary=" + Narrow(kBoundary),
        "Content-Length: 130",
    };
    if (RequestObjectReversesHeaders())
        std::reverse(expected.begin(), expected.end());
    EXPECT_EQ(system, expected);
    // What the platform's request object adds, and nothing of its own beyond that.
    EXPECT_NE(request.head.find("\r\nHost: 127.0.0.1:" + std::to_string(server.Port()) + "\r\n"),
              std::string::npos);
    EXPECT_NE(request.head.find("\r\nAccept: */*\r\n"), std::string::npos);
    EXPECT_NE(request.head.find("\r\nUser-Agent: "), std::string::npos);
    EXPECT_EQ(request.head.find("Expect"), std::string::npos);
    EXPECT_EQ(request.head.find("Authorization"), std::string::npos);
    EXPECT_EQ(request.body, Bytes(body.Stream()).substr(0, 130));
}

TEST_F(PostWireTest, BlanksAndOtherLettersInTheUrlArePercentEncoded) {
    MultipartBody body(kBoundary, t.files);
    ASSERT_TRUE(
        Post(body, server.Url("/docStore/store/") + u"My Store/caf\u00E9%2F/document/?a=b c"))
        << Narrow(error);
    EXPECT_EQ(HeaderLines(server.Requests().at(0).head)[0],
              "POST /docStore/store/My%20Store/caf%C3%A9%2F/document/?a=b%20c HTTP/1.1");
}

TEST_F(PostWireTest, ConnectionStaysCleanForTheNextRequest) {
    for (int i = 0; i < 2; ++i) {
        MultipartBody body(kBoundary, t.files);
        body.AddTextField(u"docType", u"AB");
        error.clear();
        EXPECT_TRUE(Post(body, server.Url("/docStore/store/Main/document/"))) << Narrow(error);
    }
    std::vector<RawServer::Request> requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    ASSERT_EQ(server.Connections().size(), 1u);
    EXPECT_EQ(server.Connections()[0],
              requests[0].head + requests[0].body + requests[1].head + requests[1].body);
    EXPECT_EQ(server.BadRequests(), 0);
}

}  // namespace
}  // namespace zarn::test
