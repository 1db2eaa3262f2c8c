// MSXML's request object as the transport drives it: Basic credentials after the server asks
// for them, and an unreachable server reported with the platform's code.

#include <gtest/gtest.h>

#include "common/utf16_text.h"
#include "tests/support/raw_server.h"
#include "tests/transport/transport_fixture.h"
#include "transport/http_get.h"

namespace zarn::test {
namespace {

TEST(MsxmlRequest, SendsBasicCredentialsAfterA401AndReportsAnUnreachableServer) {
    TransportServices t;
    std::unique_ptr<XmlDocument> response;
    std::u16string error;
    {
        RawServer server;
        server.SetReplies(
            {"HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"docs\"\r\n"
             "Content-Length: 0\r\n\r\n",
             std::string(RawServer::kDefaultReply)});
        ASSERT_TRUE(HttpGet(t.services, server.Url("/docStore/store/"), u"alice", u"s3cret",
                            response, error))
            << ToUtf8(error);
        const std::vector<RawServer::Request> requests = server.Requests();
        ASSERT_EQ(requests.size(), 2u);
        EXPECT_EQ(requests[0].head.find("Authorization"), std::string::npos);
        EXPECT_NE(requests[1].head.find("\r\nAuthorization: Basic YWxpY2U6czNjcmV0\r\n"),
                  std::string::npos)
            << requests[1].head;
    }
    std::u16string closed;
    {
        RawServer gone;
        closed = gone.Url("/docStore/store/");
    }
    EXPECT_FALSE(HttpGet(t.services, closed, u"", u"", response, error));
    // Windows answers INET_E_RESOURCE_NOT_FOUND, Wine INET_E_DOWNLOAD_FAILURE.
    const std::string text = ToUtf8(error);
    EXPECT_TRUE(text.find("0x800C0005") != std::string::npos ||
                text.find("0x800C0008") != std::string::npos)
        << text;
}

}  // namespace
}  // namespace zarn::test
