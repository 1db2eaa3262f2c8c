// How POST judges what comes back: statuses, challenges, redirects and transport failures.

#include <gtest/gtest.h>

#include "tests/support/curl_short_limits.h"
#include "tests/support/raw_server.h"
#include "tests/support/test_server.h"
#include "tests/transport/transport_fixture.h"
#include "transport/multipart_body.h"

namespace zarn::test {
namespace {

constexpr char16_t kBoundary[] = u"---------------------------zarnRel";
constexpr char kPath[] = "/docStore/store/Main/document/";

class PostReplyTest : public ::testing::Test {
  protected:
    bool Post(const std::u16string& url, std::u16string_view user = u"",
              std::u16string_view password = u"") {
        MultipartBody body(kBoundary, t.files);
        body.AddTextField(u"docType", u"Invoice");
        t.files.files[u"/scan.tif"] = {"scanned bytes"};
        body.AddFile(u"document", u"", u"/scan.tif");
        return body.Post(t.services, url, user, password, response, error);
    }

    // Servers first: the client goes first and closes its kept connections, so that the
    // servers stop at once.
    TestServer server;
    TestServer elsewhere;
    RawServer raw;
    TransportServices t;
    std::unique_ptr<XmlDocument> response;
    std::u16string error;
};

TEST_F(PostReplyTest, StatusOkGivesTheReplyDocumentAndAnIndependentParserReadsTheBody) {
    server.SetReply(kPath, {200, "text/xml", "<reply><id>42</id></reply>", {}});
    ASSERT_TRUE(Post(server.Url(kPath))) << Narrow(error);
    EXPECT_TRUE(error.empty());
    ASSERT_TRUE(response);
    auto id = response->SelectSingleNode(u"/reply/id");
    ASSERT_TRUE(id);
    EXPECT_EQ(id->Text(), u"42");

    std::optional<std::vector<ParsedPart>> parts = server.Requests().at(0).Parts();
    ASSERT_TRUE(parts);
    ASSERT_EQ(parts->size(), 2u);
    EXPECT_EQ((*parts)[0].name, "docType");
    EXPECT_EQ((*parts)[0].content, "Invoice");
    EXPECT_EQ((*parts)[1].name, "document");
    EXPECT_EQ((*parts)[1].filename, "scan.tif");
    EXPECT_EQ((*parts)[1].contentType, "text/plain");
    EXPECT_EQ((*parts)[1].content, "scanned bytes");
}

TEST_F(PostReplyTest, EveryStatusButOkIsAFailureWithStatusReasonAndDescription) {
    struct Case {
        int status;
        std::string body;
        std::u16string text;
    } cases[] = {
        {201, "<ok/>", u"HTTP Request returned 201 (Created) "},
        {204, "", u"HTTP Request returned 204 (No Content) "},
        {304, "", u"HTTP Request returned 304 (Not Modified) "},
        {500, "<html><body><p id='statusDescription'>Store <b>Main</b> is full</p></body></html>",
         u"HTTP Request returned 500 (Internal Server Error) Store Main is full"},
        {500, "store is full", u"HTTP Request returned 500 (Internal Server Error) "},
        {404, "<error><p id='StatusDescription'>x</p></error>",
         u"HTTP Request returned 404 (Not Found) "},
    };
    for (const Case& c : cases) {
        server.SetReply(kPath, {c.status, "text/xml", c.body, {}});
        error.clear();
        EXPECT_FALSE(Post(server.Url(kPath))) << c.status;
        EXPECT_EQ(error, c.text);
        EXPECT_FALSE(response);
    }
}

TEST_F(PostReplyTest, ReasonPhraseIsTheServersOwnAndTheDescriptionMayBeInANamespace) {
    raw.SetReply(
        RawServer::Reply("HTTP/1.1 503 Store Closed For Audit",
                         "<e xmlns='urn:x'><y:d xmlns:y='urn:y' id='statusDescription'>audit"
                         "</y:d><d id='statusDescription'>second</d></e>"));
    EXPECT_FALSE(Post(raw.Url(kPath)));
    EXPECT_EQ(error, u"HTTP Request returned 503 (Store Closed For Audit) audit");
}

TEST_F(PostReplyTest, CredentialsAnswerTheChallenge) {
    server.RequireBasicAuth("clerk", "s3cr\u00E9t");
    server.SetReply(kPath, {200, "text/xml", "<ok/>", {}});
    EXPECT_TRUE(Post(server.Url(kPath), u"clerk", u"s3cr\u00E9t")) << Narrow(error);
    std::vector<RecordedRequest> requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_FALSE(requests[0].Header("Authorization"));
    EXPECT_TRUE(requests[1].Header("Authorization"));
    // The body went again with the answer.
    EXPECT_EQ(requests[1].body, requests[0].body);

    error.clear();
    EXPECT_FALSE(Post(server.Url(kPath), u"clerk", u"wrong"));
    EXPECT_EQ(error, u"HTTP Request returned 401 (Unauthorized) ");
}

TEST_F(PostReplyTest, EmptyUserNameSendsNoCredentials) {
    server.SetReply(kPath, {200, "text/xml", "<ok/>", {}});
    EXPECT_TRUE(Post(server.Url(kPath), u"", u"secret")) << Narrow(error);
    ASSERT_EQ(server.RequestCount(), 1u);
    EXPECT_FALSE(server.Requests()[0].Header("Authorization"));
}

TEST_F(PostReplyTest, RedirectsAreFollowedButCredentialsStayWithTheirHost) {
    elsewhere.SetReply(kPath, {200, "text/xml", "<moved/>", {}});
    server.RequireBasicAuth("clerk", "secret");
    server.SetReply("/old", {307, "text/plain", "", {{"Location", kPath}}});
    std::string away = "http://localhost:" + std::to_string(elsewhere.Port()) + kPath;
    server.SetReply(kPath, {307, "text/plain", "", {{"Location", away}}});

    ASSERT_TRUE(Post(server.Url("/old"), u"clerk", u"secret")) << Narrow(error);
    ASSERT_TRUE(response->SelectSingleNode(u"/moved"));
    // Same host: the credentials go along. Other host: no credentials at all.
    std::vector<RecordedRequest> here = server.Requests();
    ASSERT_EQ(here.size(), 3u);
    EXPECT_EQ(here[2].target, kPath);
    EXPECT_TRUE(here[2].Header("Authorization"));
    ASSERT_EQ(elsewhere.RequestCount(), 1u);
    RecordedRequest there = elsewhere.Requests()[0];
    EXPECT_EQ(there.method, "POST");
    EXPECT_FALSE(there.Header("Authorization"));
    EXPECT_EQ(there.body, here[0].body);
}

TEST_F(PostReplyTest, SeeOtherIsFollowedWithGet) {
    server.SetReply(kPath, {303, "text/plain", "", {{"Location", "/receipt"}}});
    server.SetReply("/receipt", {200, "text/xml", "<receipt/>", {}});
    ASSERT_TRUE(Post(server.Url(kPath))) << Narrow(error);
    EXPECT_EQ(server.Requests().at(1).method, "GET");
    EXPECT_FALSE(server.Requests().at(1).Header("Content-Length"));
}

TEST_F(PostReplyTest, UnreachableServerIsUnableToContactServer) {
    std::u16string url;
    {
        RawServer closed;
        url = closed.Url(kPath);
    }
    EXPECT_FALSE(Post(url));
    EXPECT_EQ(error, u"http request failed: 0x800C0005, Unable to contact server");
}

TEST_F(PostReplyTest, ServerThatNeverAnswersTimesOut) {
    raw.SetBehaviour(RawServer::Behaviour::kSilent);
    EXPECT_FALSE(Post(raw.Url(kPath)));
    EXPECT_EQ(error, u"http request failed: 0x80072EE2, The operation timed out");
}

TEST_F(PostReplyTest, ConnectionCutInsideTheReplyIsAFailure) {
    raw.SetBehaviour(RawServer::Behaviour::kHalfReply);
    std::string cutInHeaders = RawServer::Reply("HTTP/1.1 200 OK", "<ok/>");
    std::string cutInBody =
        RawServer::Reply("HTTP/1.1 200 OK", "<ok>" + std::string(400, 'x') + "</ok>");
    for (const std::string& reply : {cutInHeaders, cutInBody}) {
        raw.SetReply(reply);
        error.clear();
        EXPECT_FALSE(Post(raw.Url(kPath)));
        EXPECT_EQ(error,
                  u"http request failed: 0x80072EFE, The connection with the server was "
                  u"terminated abnormally");
    }
}

TEST_F(PostReplyTest, HugeReplyIsRefusedBeyondTheLimit) {
    CurlHttpOptions options = ShortLimits();
    options.maxReplyBytes = 1 << 20;
    TransportServices limited(CreateCurlHttpRequestFactory(options));
    raw.SetBehaviour(RawServer::Behaviour::kHugeReply);
    raw.SetHugeLength(std::uint64_t{64} << 20);
    MultipartBody body(kBoundary, limited.files);
    EXPECT_FALSE(body.Post(limited.services, raw.Url(kPath), u"", u"", response, error));
    EXPECT_EQ(error, u"http request failed: 0x800700DF, The reply from the server is too large");
}

}  // namespace
}  // namespace zarn::test
