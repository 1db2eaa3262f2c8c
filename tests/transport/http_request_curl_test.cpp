// The libcurl request object on its own: what it refuses, and TLS.

#include "transport/posix/http_request_curl.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <thread>

#include "tests/support/raw_server.h"
#include "tests/transport/transport_fixture.h"

namespace zarn::test {
namespace {

class CurlRequestTest : public ::testing::Test {
  protected:
    std::unique_ptr<HttpRequest> Create() {
        std::unique_ptr<HttpRequest> request;
        EXPECT_EQ(t.http->Create(request), kOk);
        return request;
    }

    RawServer raw;
    TransportServices t;
};

TEST_F(CurlRequestTest, OpenRefusesWhatItCannotDo) {
    auto request = Create();
    EXPECT_EQ(request->Open(u"GET", raw.Url("/"), true, u"", u""), kNotImplemented);
    EXPECT_EQ(request->Open(u"PUT", raw.Url("/"), false, u"", u""), kNotImplemented);
    EXPECT_EQ(request->Open(u"GET", u"ftp://127.0.0.1/x", false, u"", u""),
              kInternetUnrecognizedScheme);
    EXPECT_EQ(request->Open(u"GET", u"http://bad host/", false, u"", u""), kInternetInvalidUrl);
    EXPECT_EQ(
        request->Open(u"GET", std::u16string(u"http://127.0.0.1\0.evil/", 23), false, u"", u""),
        kInternetInvalidUrl);
    EXPECT_EQ(request->Open(u"get", raw.Url("/"), false, u"", u""), kOk);
}

TEST_F(CurlRequestTest, StepsOutOfOrderFail) {
    auto request = Create();
    std::int32_t status = 0;
    std::u16string text;
    EXPECT_EQ(request->SetRequestHeader(u"charset", u"utf-8"), kUnexpected);
    EXPECT_EQ(request->Send(nullptr, 0), kUnexpected);
    ASSERT_EQ(request->Open(u"GET", raw.Url("/"), false, u"", u""), kOk);
    EXPECT_EQ(request->GetStatus(status), kUnexpected);
    EXPECT_EQ(request->GetResponseText(text), kUnexpected);
    EXPECT_EQ(request->Send(nullptr, 0), kOk);
    EXPECT_EQ(request->Send(nullptr, 0), kUnexpected);
    EXPECT_EQ(request->GetStatus(status), kOk);
    EXPECT_EQ(status, 200);
    EXPECT_EQ(request->GetResponseText(text), kOk);
    EXPECT_EQ(text, u"<ok/>");
}

TEST_F(CurlRequestTest, HeadersThatWouldBreakTheRequestAreRefused) {
    auto request = Create();
    ASSERT_EQ(request->Open(u"POST", raw.Url("/"), false, u"", u""), kOk);
    EXPECT_EQ(request->SetRequestHeader(u"", u"x"), kInvalidArg);
    EXPECT_EQ(request->SetRequestHeader(u"Bad Name", u"x"), kInvalidArg);
    EXPECT_EQ(request->SetRequestHeader(u"Name:", u"x"), kInvalidArg);
    EXPECT_EQ(request->SetRequestHeader(u"X-Split", u"a\r\nInjected: yes"), kInvalidArg);
    EXPECT_EQ(request->SetRequestHeader(u"X-Empty", u""), kOk);
    EXPECT_EQ(request->SetRequestHeader(u"X-Text", u"caf\u00E9"), kOk);

    // An announced length that is not the length sent would leave the connection broken.
    ByteStream body;
    body.Write("abcdef", 6);
    EXPECT_EQ(request->SetRequestHeader(u"Content-Length", u"5"), kOk);
    EXPECT_EQ(request->Send(&body, 6), kInvalidArg);
    EXPECT_TRUE(raw.Requests().empty());

    auto exact = Create();
    ASSERT_EQ(exact->Open(u"POST", raw.Url("/"), false, u"", u""), kOk);
    ASSERT_EQ(exact->SetRequestHeader(u"X-Empty", u""), kOk);
    ASSERT_EQ(exact->SetRequestHeader(u"Content-Length", u"5"), kOk);
    ASSERT_EQ(exact->Send(&body, 5), kOk);
    RawServer::Request sent = raw.Requests().at(0);
    EXPECT_NE(sent.head.find("\r\nX-Empty:\r\n"), std::string::npos);
    EXPECT_EQ(sent.body, "abcde");
}

TEST_F(CurlRequestTest, ARequestCarriesNothingOfTheOneBeforeIt) {
    raw.SetReply(
        "HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"r\"\r\n"
        "Content-Length: 0\r\n\r\n");
    ByteStream body;
    body.Write("abc", 3);
    {
        auto first = Create();
        ASSERT_EQ(first->Open(u"POST", raw.Url("/first"), false, u"alice", u"secret"), kOk);
        ASSERT_EQ(first->SetRequestHeader(u"X-First", u"1"), kOk);
        ASSERT_EQ(first->Send(&body, 3), kOk);
    }
    raw.SetReply(std::string(RawServer::kDefaultReply));
    auto second = Create();
    std::int32_t status = 0;
    EXPECT_EQ(second->GetStatus(status), kUnexpected);
    ASSERT_EQ(second->Open(u"GET", raw.Url("/second"), false, u"", u""), kOk);
    ASSERT_EQ(second->Send(nullptr, 0), kOk);
    ASSERT_EQ(second->GetStatus(status), kOk);
    EXPECT_EQ(status, 200);

    std::vector<RawServer::Request> requests = raw.Requests();
    ASSERT_GE(requests.size(), 2u);
    EXPECT_NE(requests.front().head.find("\r\nX-First: 1\r\n"), std::string::npos);
    EXPECT_NE(requests[requests.size() - 2].head.find("\r\nAuthorization: Basic"),
              std::string::npos);
    const RawServer::Request& last = requests.back();
    EXPECT_EQ(last.head.substr(0, 12), "GET /second ");
    for (const char* header : {"Authorization", "X-First", "Content-Length", "Content-Type"})
        EXPECT_EQ(last.head.find(header), std::string::npos) << header;
    EXPECT_EQ(last.body, "");
    EXPECT_EQ(raw.Connections().size(), 1u) << "the connection stays open between requests";
}

TEST_F(CurlRequestTest, ReplyWithoutStatusLineOrRedirectToAnotherSchemeIsNotABadUrl) {
    struct Case {
        std::string reply;
        HResult code;
    } cases[] = {
        {"garbage instead of a status line\r\n\r\n", kInternetInvalidServerResponse},
        {"HTTP/1.1 302 Found\r\nLocation: ftp://127.0.0.1/x\r\nContent-Length: 0\r\n\r\n",
         kInternetRedirectFailed},
    };
    for (const Case& c : cases) {
        raw.SetReply(c.reply);
        auto request = Create();
        ASSERT_EQ(request->Open(u"GET", raw.Url("/"), false, u"", u""), kOk);
        EXPECT_EQ(request->Send(nullptr, 0), c.code) << c.reply;
    }
}

TEST_F(CurlRequestTest, UntrustedCertificateIsATransportFailure) {
    httplib::SSLServer server(ZARN_TRANSPORT_FIXTURES "/untrusted_cert.pem",
                              ZARN_TRANSPORT_FIXTURES "/untrusted_key.pem");
    ASSERT_TRUE(server.is_valid());
    server.Get("/", [](const httplib::Request&, httplib::Response& response) {
        response.set_content("<ok/>", "text/xml");
    });
    int port = server.bind_to_any_port("127.0.0.1");
    std::thread thread([&server] { server.listen_after_bind(); });
    while (!server.is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));

    auto request = Create();
    std::string url = "https://127.0.0.1:" + std::to_string(port) + "/";
    ASSERT_EQ(request->Open(u"GET", std::u16string(url.begin(), url.end()), false, u"", u""), kOk);
    EXPECT_EQ(request->Send(nullptr, 0), kInternetInvalidCa);

    server.stop();
    thread.join();
}

}  // namespace
}  // namespace zarn::test
