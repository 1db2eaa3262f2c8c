// Replies that a sound server would not send: the load keeps what it could read, reports the
// requests that failed, and never crashes, hangs or fetches what a reply points at.

#include <gtest/gtest.h>

#include "common/file_system.h"
#include "common/texts.h"
#include "tests/catalogue/catalogue_fixture.h"
#include "tests/support/canned_request.h"
#include "tests/support/raw_server.h"

namespace zarn::test {
namespace {

class CatalogueBadInput : public CatalogueTest {
  protected:
    // A store list of one store named `name`, after a prologue (a document type declaration).
    static std::string StoreList(const std::string& prologue, const std::string& name) {
        return prologue + "<ZARN><docStore><store><name>" + name +
               "</name></store></docStore></ZARN>";
    }

    // Whether the one message box shown reports a transport failure of the store list.
    bool ShowedTransportFailure(const RawServer& raw) const {
        std::u16string start =
            FailureMessage(raw.Url("/docStore/store/"), u"http request failed: ");
        return ui.messageBoxes.size() == 1 && ui.messageBoxes[0].text.starts_with(start);
    }
};

TEST_F(CatalogueBadInput, RepliesThatAreNotXmlGiveAnEmptyCatalogueWithoutMessage) {
    ServeStoreList("this is not <xml");
    EXPECT_TRUE(Load());
    EXPECT_TRUE(manager.Stores().empty());
    EXPECT_TRUE(ui.messageBoxes.empty());

    ServeStoreList(StoreList("", "A"));
    ServeDetails("A", "{\"docStoreKeys\": []}");
    EXPECT_TRUE(manager.LoadCatalogue());
    ASSERT_EQ(manager.Stores().size(), 1u);
    EXPECT_TRUE(manager.Stores()[0].keys.empty());
    EXPECT_TRUE(ui.messageBoxes.empty());
}

TEST_F(CatalogueBadInput, XmlOfAnotherShapeReadsWhatMatches) {
    ServeStoreList(
        "<ZARN><store><name>wrong level</name></store><docStore><store>"
        "<name>A</name></store></docStore><docStore><store><name>B</name></store></docStore>"
        "</ZARN>");
    ServeDetails("A", DetailsReply("<docStoreKeys><docStoreKey><name>first</name></docStoreKey>"
                                   "<other><docStoreKey><name>nested</name></docStoreKey></other>"
                                   "</docStoreKeys><docStoreKeys><docStoreKey><name>second</name>"
                                   "</docStoreKey></docStoreKeys><documentTypes/>"
                                   "<documentTypeKeys><documentTypeKey/><documentTypeKey>text"
                                   "</documentTypeKey></documentTypeKeys>"));
    ServeDetails("B",
                 "<zarn><docStore><store><docStoreKeys><docStoreKey><name>x</name>"
                 "</docStoreKey></docStoreKeys></store></docStore></zarn>");
    ASSERT_TRUE(Load());
    ASSERT_EQ(manager.Stores().size(), 2u);
    const DocStore& a = manager.Stores()[0];
    ASSERT_EQ(a.keys.size(), 1u);  // only the first container, only its own children
    EXPECT_EQ(a.keys[0].name, u"first");
    EXPECT_TRUE(a.docTypes.empty());
    ASSERT_EQ(a.links.size(), 2u);  // every link element makes a link
    EXPECT_EQ(a.links[1].docTypeID, -1);
    EXPECT_TRUE(manager.Stores()[1].keys.empty());  // element names are case-sensitive
    EXPECT_TRUE(ui.messageBoxes.empty());
}

TEST_F(CatalogueBadInput, ADocumentTypeDeclarationIsAcceptedAndExternalsAreNeverFetched) {
    std::string secret = "http://127.0.0.1:" + std::to_string(server.Port()) + "/secret";
    server.SetReply("/secret", {200, "text/plain", "leaked", {}});
    ServeStoreList(StoreList("<!DOCTYPE ZARN SYSTEM \"" + secret +
                                 "\" [<!ENTITY inner \"Inner\"><!ENTITY outside SYSTEM \"" +
                                 secret + "\"><!ENTITY file SYSTEM \"file:///etc/hostname\">]>",
                             "A&outside;&file;"));
    ServeDetails("A", DetailsReply(""));
    ASSERT_TRUE(Load());
    ASSERT_EQ(manager.Stores().size(), 1u);
    EXPECT_EQ(manager.Stores()[0].name, u"A");
    EXPECT_EQ(Targets(),
              (std::vector<std::string>{"/docStore/store/", "/docStore/store/A/docTypeKey/"}));
}

TEST_F(CatalogueBadInput, EntitiesThatExpandWithoutBoundEndTheLoadQuickly) {
    std::string bomb = "<!DOCTYPE ZARN [<!ENTITY e0 \"lollollollollollollollollollol\">";
    for (int i = 1; i <= 12; ++i) {
        std::string previous = "&e" + std::to_string(i - 1) + ";";
        std::string tenTimes;
        for (int j = 0; j < 10; ++j)
            tenTimes += previous;
        bomb += "<!ENTITY e" + std::to_string(i) + " \"" + tenTimes + "\">";
    }
    bomb += "]>";
    ServeStoreList(StoreList(bomb, "&e12;"));
    EXPECT_TRUE(Load());
    EXPECT_TRUE(manager.Stores().empty());
    EXPECT_EQ(server.RequestCount(), 1u);
}

TEST_F(CatalogueBadInput, ElementsNestedThousandsDeepAreNoRecords) {
    std::string deep;
    for (int i = 0; i < 20000; ++i)
        deep += "<n>";
    for (int i = 0; i < 20000; ++i)
        deep += "</n>";
    ServeStoreList(StoreList("", "A" + deep));
    EXPECT_TRUE(Load());
    EXPECT_TRUE(manager.Stores().empty());
    EXPECT_TRUE(ui.messageBoxes.empty());
}

TEST_F(CatalogueBadInput, AReplyOfHundredsOfMegabytesIsAFailedRequest) {
    RawServer raw;
    raw.SetBehaviour(RawServer::Behaviour::kHugeReply);
    raw.SetHugeLength(std::uint64_t{300} << 20);
    manager.SetServerURL(raw.Url());
    EXPECT_FALSE(manager.LoadCatalogue());
    EXPECT_TRUE(manager.Stores().empty());
    EXPECT_TRUE(ShowedTransportFailure(raw));
}

TEST_F(CatalogueBadInput, AConnectionCutHalfWayIsAFailedRequest) {
    RawServer raw;
    raw.SetBehaviour(RawServer::Behaviour::kHalfReply);
    raw.SetReply(
        "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nContent-Length: 60\r\n\r\n"
        "<ZARN><docStore><store><name>A</name></store></docStore></ZARN>");
    manager.SetServerURL(raw.Url());
    EXPECT_FALSE(manager.LoadCatalogue());
    EXPECT_TRUE(manager.Stores().empty());
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text,
              FailureMessage(raw.Url("/docStore/store/"),
                             u"http request failed: The connection with the server was "
                             u"terminated abnormally"));
}

TEST_F(CatalogueBadInput, AServerThatNeverAnswersIsAFailedRequest) {
    RawServer raw;
    raw.SetBehaviour(RawServer::Behaviour::kSilent);
    manager.SetServerURL(raw.Url());
    EXPECT_FALSE(manager.LoadCatalogue());
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text,
              FailureMessage(raw.Url("/docStore/store/"),
                             u"http request failed: The operation timed out"));
}

TEST(CatalogueXmlComponent, AReplyDocumentThatCannotBeHadIsAFailedRequest) {
    CannedRequestFactory http("<ZARN/>", MakeHResult(0x80040154u));  // class not registered
    RecordingUserInterface ui;
    Services services{PlatformFileSystem(), http, PlatformXmlDocumentFactory(), PlatformTexts(),
                      ui};
    CDocStoreManager manager(services);
    manager.SetServerURL(u"http://127.0.0.1:9");
    EXPECT_FALSE(manager.LoadCatalogue());
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text,
              FailureMessage(u"http://127.0.0.1:9/docStore/store/", u"Failed to get_responseText"));
}

}  // namespace
}  // namespace zarn::test
