// Servers that misbehave on purpose, or anything pretending to be one: every request ends
// within its bound with the system's text or a clear error, reads nothing that a reply points
// at, and sends the credentials nowhere else.

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "tests/support/curl_short_limits.h"
#include "tests/support/raw_server.h"
#include "tests/transport/transport_fixture.h"
#include "transport/http_get.h"
#include "transport/multipart_body.h"

namespace zarn::test {
namespace {

constexpr char kSecret[] = "TOP-SECRET";
constexpr auto kBound = std::chrono::seconds(20);

// Short limits, with a window of a second and a half for a transfer that moves too little.
std::unique_ptr<HttpRequestFactory> HostileLimits() {
    CurlHttpOptions options = ShortLimits();
    options.slowWindow = std::chrono::milliseconds(1500);
    return CreateCurlHttpRequestFactory(options);
}

std::string Repeated(std::string_view text, int count) {
    std::string repeated;
    for (int i = 0; i < count; ++i)
        repeated += text;
    return repeated;
}

// Nine levels of ten references: a billion copies of "lol" if nothing stopped it.
std::string BillionLaughs() {
    std::string dtd = "<!ENTITY l0 'lol'>";
    for (int level = 1; level <= 9; ++level) {
        dtd += "<!ENTITY l" + std::to_string(level) + " '" +
               Repeated("&l" + std::to_string(level - 1) + ";", 10) + "'>";
    }
    return dtd;
}

// A reply with the status line, a document type with `dtd`, and `text` both as the store's
// name and as the status description.
std::string XmlReply(const std::string& status, const std::string& dtd, const std::string& text) {
    return RawServer::Reply(status, "<!DOCTYPE ZARN [" + dtd + "]><ZARN><name>" + text +
                                        "</name><p id='statusDescription'>" + text + "</p></ZARN>");
}

class HostileServerTest : public ::testing::Test {
  protected:
    HostileServerTest() : t(HostileLimits()) { std::ofstream(secretPath) << kSecret; }
    ~HostileServerTest() override { std::remove(secretPath.c_str()); }

    // What a GET of the server's URL gave: its error, or "200:" and the reply's text.
    std::u16string GetOutcome() {
        std::unique_ptr<XmlDocument> response;
        std::u16string error;
        if (!HttpGet(t.services, raw.Url("/docStore/store/"), u"clerk", u"secret", response,
                     error)) {
            return error;
        }
        return u"200:" + response->Text();
    }

    std::u16string PostOutcome() {
        MultipartBody body(u"---------------------------zarnRel", t.files);
        body.AddTextField(u"docType", u"Invoice");
        std::unique_ptr<XmlDocument> response;
        std::u16string error;
        if (!body.Post(t.services, raw.Url("/docStore/store/Main/document/"), u"clerk", u"secret",
                       response, error)) {
            return error;
        }
        return u"200:" + response->Text();
    }

    std::string Port(const RawServer& server) const { return std::to_string(server.Port()); }

    // Servers first: the client goes first and closes its kept connections.
    RawServer raw;
    RawServer bystander;  // named by replies; must never be reached
    RawServer elsewhere;  // where a redirect leads
    TransportServices t;
    std::string secretPath = ::testing::TempDir() + "zarn_hostile_secret.txt";
};

TEST_F(HostileServerTest, EveryRequestEndsWithinItsBoundWithTheSystemsText) {
    const std::string ok = "HTTP/1.1 200 OK";
    const std::string failed = "HTTP/1.1 500 Internal Server Error";
    const std::string wide = "<!ENTITY w '" + std::string(50000, 'w') + "'>";
    const std::string external = "<!ENTITY net SYSTEM 'http://127.0.0.1:" + Port(bystander) +
                                 "/entity'><!ENTITY file SYSTEM 'file://" + secretPath +
                                 "'><!ENTITY % p SYSTEM " + "'http://127.0.0.1:" + Port(bystander) +
                                 "/parameter'>%p;";
    const std::string unauthorized =
        "HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"docStore\"\r\n"
        "Content-Length: 0\r\n\r\n";
    const std::u16string timedOut = u"The operation timed out";
    const std::u16string aborted = u"The connection with the server was terminated abnormally";

    struct Case {
        std::string name;
        RawServer::Behaviour behaviour;
        std::vector<std::string> replies;  // the GET's, then the POST's
        std::u16string get;
        std::u16string post;
    };
    const Case cases[] = {
        {"drip-feed after the headers",
         RawServer::Behaviour::kDripFeed,
         {RawServer::Reply(ok, "<ZARN>" + std::string(200, ' ') + "</ZARN>")},
         u"http request failed: " + timedOut,
         u"http request failed: 0x80072EE2, " + timedOut},
        {"silence after accept",
         RawServer::Behaviour::kSilent,
         {""},
         u"http request failed: " + timedOut,
         u"http request failed: 0x80072EE2, " + timedOut},
        {"reply cut mid-body",
         RawServer::Behaviour::kHalfReply,
         {RawServer::Reply(ok, "<ZARN>" + std::string(400, 'x') + "</ZARN>")},
         u"http request failed: " + aborted,
         u"http request failed: 0x80072EFE, " + aborted},
        {"1 GB reply",
         RawServer::Behaviour::kHugeReply,
         {""},
         u"http request failed: The reply from the server is too large",
         u"http request failed: 0x800700DF, The reply from the server is too large"},
        {"billion laughs",
         RawServer::Behaviour::kReply,
         {XmlReply(ok, BillionLaughs(), "&l9;"), XmlReply(failed, BillionLaughs(), "&l9;")},
         u"200:",
         u"HTTP Request returned 500 (Internal Server Error) "},
        {"an entity of 50 KB referenced 10,000 times",
         RawServer::Behaviour::kReply,
         {XmlReply(ok, wide, Repeated("&w;", 10000)),
          XmlReply(failed, wide, Repeated("&w;", 10000))},
         u"200:",
         u"HTTP Request returned 500 (Internal Server Error) "},
        {"external entities: a local file, another port",
         RawServer::Behaviour::kReply,
         {XmlReply(ok, external, "A&net;&file;"), XmlReply(failed, external, "A&net;&file;")},
         u"200:AA",
         u"HTTP Request returned 500 (Internal Server Error) A"},
        {"401 again and again",
         RawServer::Behaviour::kReply,
         {unauthorized},
         u"HTTP Request returned 401, Unauthorized",
         u"HTTP Request returned 401 (Unauthorized) "},
        {"invalid UTF-8 in the reason phrase and the body",
         RawServer::Behaviour::kReply,
         {RawServer::Reply("HTTP/1.1 200 \xC3(", "<ZARN><name>\xFF\xFE</name></ZARN>"),
          RawServer::Reply("HTTP/1.1 500 \xC3(", "<p id='statusDescription'>\xC3(</p>")},
         u"200:",
         u"HTTP Request returned 500 (\uFFFD() \uFFFD("},
    };
    raw.SetHugeLength(std::uint64_t{1} << 30);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        raw.SetBehaviour(c.behaviour);
        raw.SetReplies(c.replies);
        const std::size_t before = raw.Requests().size();
        auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(Narrow(GetOutcome()), Narrow(c.get));
        // Each reader meets the reply meant for it.
        raw.SetReplies({c.replies.back()});
        EXPECT_EQ(Narrow(PostOutcome()), Narrow(c.post));
        EXPECT_LT(std::chrono::steady_clock::now() - start, kBound);
        EXPECT_LE(raw.Requests().size() - before, 4u) << "a challenge is answered once";
    }
    EXPECT_TRUE(bystander.Connections().empty());
}

TEST_F(HostileServerTest, ARedirectToAnotherPortGetsNoCredentials) {
    elsewhere.SetReply(RawServer::Reply("HTTP/1.1 200 OK", "<moved/>"));
    const std::vector<std::string> challengeThenRedirect = {
        "HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"docStore\"\r\n"
        "Content-Length: 0\r\n\r\n",
        "HTTP/1.1 307 Temporary Redirect\r\nLocation: http://127.0.0.1:" + Port(elsewhere) +
            "/docStore/store/\r\nContent-Length: 0\r\n\r\n"};
    raw.SetReplies(challengeThenRedirect);
    EXPECT_EQ(Narrow(GetOutcome()), "200:");
    raw.SetReplies(challengeThenRedirect);
    EXPECT_EQ(Narrow(PostOutcome()), "200:");
    std::vector<RawServer::Request> here = raw.Requests();
    ASSERT_EQ(here.size(), 4u);
    EXPECT_NE(here[3].head.find("\r\nAuthorization: Basic "), std::string::npos);
    std::vector<RawServer::Request> there = elsewhere.Requests();
    ASSERT_EQ(there.size(), 2u);
    for (const RawServer::Request& request : there)
        EXPECT_EQ(request.head.find("Authorization"), std::string::npos) << request.head;
}

}  // namespace
}  // namespace zarn::test
