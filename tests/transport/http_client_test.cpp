// The request steps of POST and GET and their failure texts, on a scripted request object.

#include "transport/http_client.h"

#include <gtest/gtest.h>

#include "tests/support/fixed_texts.h"
#include "tests/transport/scripted_request.h"
#include "tests/transport/transport_fixture.h"
#include "transport/http_get.h"
#include "transport/multipart_body.h"

namespace zarn::test {
namespace {

using Step = RequestScript::Step;

class HttpClientTest : public ::testing::Test {
  protected:
    bool Post() {
        MultipartBody body(u"---------------------------zarnRel", files);
        body.AddTextField(u"docType", u"AB");
        bool posted = body.Post(services, u"http://docs/store/", u"", u"", response, error);
        bodySize = body.Stream().Size();
        sentBody = script.body == &body.Stream();
        return posted;
    }
    bool Get() { return HttpGet(services, u"http://docs/store/", u"", u"", response, error); }

    RequestScript script;
    ScriptedRequestFactory factory{script};
    MemoryFileSystem files;
    RecordingUserInterface ui;
    Services services{files, factory, PlatformXmlDocumentFactory(), PlatformTexts(), ui};
    std::unique_ptr<XmlDocument> response;
    std::u16string error;
    std::uint64_t bodySize = 0;
    bool sentBody = false;
};

TEST_F(HttpClientTest, PostOpensSynchronouslySetsFourHeadersAndSendsTheAnnouncedBytes) {
    ASSERT_TRUE(Post()) << Narrow(error);
    EXPECT_EQ(script.method, u"POST");
    EXPECT_EQ(script.url, u"http://docs/store/");
    EXPECT_FALSE(script.asynchronous);
    EXPECT_EQ(
        script.headers,
        (std::vector<std::pair<std::u16string, std::u16string>>{
            {u"If-Modified-Since", u"Sat, 1 Jan 2000 00:00:00 GMT"},
            {u"charset", u"utf-8"},
            {u"Content-type", u"multipart/form-data; boundary=---------------------------zarnRel"},
            {u"Content-Length", u"130"},
        }));
    EXPECT_TRUE(sentBody);
    EXPECT_EQ(bodySize, 134u);
    EXPECT_EQ(script.length, 130u);
    EXPECT_TRUE(response);
    EXPECT_TRUE(error.empty());
    EXPECT_EQ(script.released, 1);
}

TEST_F(HttpClientTest, EachFailingStepOfPostEndsTheCallWithItsText) {
    struct Case {
        Step step;
        int header;
        HResult code;
        std::u16string text;
    } cases[] = {
        {Step::kCreate, 0, kOk, u"Failed to create XMLHTTPRequest"},
        {Step::kOpen, 0, kOk, u"Failed to open XMLHTTPRequest"},
        {Step::kHeader, 1, kOk, u"Failed to setRequestHeader"},
        {Step::kHeader, 2, kOk, u"Failed to setRequestHeader"},
        {Step::kHeader, 3, kOk, u"Failed to setRequestHeader (Content-type)"},
        {Step::kHeader, 4, kOk, u"Failed to setRequestHeader"},
        {Step::kSend, 0, kResourceNotFound,
         u"http request failed: 0x800C0005, Unable to contact server"},
        {Step::kSend, 0, kInternetTimeout,
         u"http request failed: 0x80072EE2, The operation timed out"},
        {Step::kSend, 0, MakeHResult(0x80001234u),
         u"http request failed: 0x80001234, Unknown error 0x80001234"},
        {Step::kStatus, 0, kOk, u"Failed to get_status"},
        {Step::kResponseXml, 0, kOk, u"Failed to get_responseText"},
    };
    for (const Case& c : cases) {
        script = RequestScript{};
        script.failing = c.step;
        script.failingHeader = c.header;
        script.sendFailure = c.code;
        error.clear();
        EXPECT_FALSE(Post());
        EXPECT_EQ(error, c.text);
        EXPECT_FALSE(response);
        EXPECT_EQ(script.released, script.created);
        // Nothing goes out after a step before the send has failed.
        EXPECT_EQ(script.sends,
                  c.step == Step::kSend || c.step == Step::kStatus || c.step == Step::kResponseXml
                      ? 1
                      : 0);
    }
}

TEST_F(HttpClientTest, UnreadableReasonOrReplyTextLeavesThemEmpty) {
    script.status = 500;
    script.statusText = u"Internal Server Error";
    script.responseText = u"<e id='statusDescription'>full</e>";
    EXPECT_FALSE(Post());
    EXPECT_EQ(error, u"HTTP Request returned 500 (Internal Server Error) full");

    script.failing = Step::kResponseText;
    EXPECT_FALSE(Post());
    EXPECT_EQ(error, u"HTTP Request returned 500 (Internal Server Error) ");

    script.failing = Step::kStatusText;
    EXPECT_FALSE(Get());
    EXPECT_EQ(error, u"HTTP Request returned 500, ");
}

TEST_F(HttpClientTest, GetHasNoBodyAndItsOwnWording) {
    ASSERT_TRUE(Get()) << Narrow(error);
    EXPECT_EQ(script.method, u"GET");
    EXPECT_EQ(script.headers.size(), 2u);
    EXPECT_EQ(script.body, nullptr);

    script = RequestScript{};
    script.failing = Step::kSend;
    script.sendFailure = kResourceNotFound;
    EXPECT_FALSE(Get());
    EXPECT_EQ(error, u"http request failed: Unable to contact server");

    script = RequestScript{};
    script.status = 304;
    script.statusText = u"Not Modified";
    script.responseText = u"<e id='statusDescription'>unchanged</e>";
    EXPECT_FALSE(Get());
    EXPECT_EQ(error, u"HTTP Request returned 304, Not Modified");

    script = RequestScript{};
    script.failing = Step::kHeader;
    script.failingHeader = 2;
    EXPECT_FALSE(Get());
    EXPECT_EQ(error, u"Failed to setRequestHeader");
}

TEST_F(HttpClientTest, CredentialsGoToOpenAsTheyAreEvenWhenEmpty) {
    MultipartBody body(u"b", files);
    EXPECT_TRUE(body.Post(services, u"http://docs/", u"clerk", u"p\u00E4ss", response, error));
    EXPECT_EQ(script.user, u"clerk");
    EXPECT_EQ(script.password, u"p\u00E4ss");
    Get();
    EXPECT_EQ(script.user, u"");
    EXPECT_EQ(script.password, u"");
}

TEST(ErrorCodeText, HasThreeForms) {
    FixedTexts texts;
    texts.systemErrors[kFail] = u" \tUnspecified error\r\n";
    EXPECT_EQ(ErrorCodeText(texts, kResourceNotFound), u"Unable to contact server");
    EXPECT_EQ(texts.systemErrorQuestions, 0);
    EXPECT_EQ(ErrorCodeText(texts, kFail), u"Unspecified error");
    EXPECT_EQ(ErrorCodeText(texts, MakeHResult(0x0000ABCDu)), u"Unknown error 0x0000ABCD");
    // The platform's own texts for the transport's codes.
    EXPECT_EQ(ErrorCodeText(PlatformTexts(), kInternetInvalidCa),
              u"The certificate authority is invalid or incorrect");
}

}  // namespace
}  // namespace zarn::test
