#include <gtest/gtest.h>

#include "tests/catalogue/catalogue_fixture.h"

namespace zarn::test {
namespace {

using Paths = std::vector<std::string>;

class CatalogueLoad : public CatalogueTest {};

TEST_F(CatalogueLoad, FetchesTheStoreListThenEachStoresDetails) {
    ServeStoreList(Fixture("store_list.xml"));
    ServeDetails("Invoices", Fixture("invoices_details.xml"));
    ServeDetails("My%20Store", DetailsReply(""));

    ASSERT_TRUE(Load());
    EXPECT_EQ(Targets(), (Paths{"/docStore/store/", "/docStore/store/Invoices/docTypeKey/",
                                "/docStore/store/My%20Store/docTypeKey/"}));
    EXPECT_TRUE(ui.messageBoxes.empty());

    const std::vector<DocStore>& stores = manager.Stores();
    ASSERT_EQ(stores.size(), 2u);
    EXPECT_EQ(stores[0].name, u"Invoices");
    EXPECT_EQ(stores[0].description, u"Incoming supplier invoices");
    EXPECT_EQ(stores[0].library, u"FIN");
    EXPECT_EQ(stores[1].name, u"My Store");
    EXPECT_EQ(stores[1].description, u"Caf\u00E9 & more");
    EXPECT_EQ(stores[1].library, u"");
    EXPECT_TRUE(stores[1].keys.empty());
    EXPECT_TRUE(stores[1].docTypes.empty());
    EXPECT_TRUE(stores[1].links.empty());
}

TEST_F(CatalogueLoad, BuildsKeysDocumentTypesAndLinksFromTheDetails) {
    ServeStoreList(Fixture("store_list.xml"));
    ServeDetails("Invoices", Fixture("invoices_details.xml"));
    ServeDetails("My%20Store", DetailsReply(""));
    ASSERT_TRUE(Load());
    const DocStore* store = manager.FindDocStore(u"Invoices");
    ASSERT_NE(store, nullptr);

    ASSERT_EQ(store->keys.size(), 3u);  // the key without a name is left out
    const DocStoreKey& number = store->keys[0];
    EXPECT_EQ(number.name, u"InvoiceNumber");
    EXPECT_EQ(number.description, u"Invoice number");
    EXPECT_EQ(number.type, KeyDataType::kVarChar);
    EXPECT_EQ(number.id, 10);
    EXPECT_EQ(number.size, 20);
    EXPECT_EQ(number.scale, 0);
    EXPECT_EQ(number.TypeDescription(), u"Text (Max Length: 20)");
    EXPECT_EQ(store->keys[1].TypeDescription(), u"Decimal (10, 2)");
    EXPECT_EQ(store->keys[2].name, u"Received");
    EXPECT_EQ(store->keys[2].type, KeyDataType::kUnknown);
    EXPECT_EQ(store->keys[2].TypeDescription(), u"Unknown");

    ASSERT_EQ(store->docTypes.size(), 2u);
    const DocStoreDocType* invoice = store->FindDocType(u"Invoice");
    ASSERT_NE(invoice, nullptr);
    EXPECT_EQ(invoice->id, 1);
    EXPECT_EQ(invoice->description, u"Supplier invoice");
    EXPECT_EQ(invoice->rootFolder, u"/invoices");
    EXPECT_TRUE(invoice->autoName);
    EXPECT_FALSE(store->docTypes[1].autoName);

    ASSERT_EQ(store->links.size(), 3u);
    std::vector<DocTypeKey> keys;
    ASSERT_TRUE(store->GetDocTypeKeys(u"Invoice", keys));
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].key, &store->keys[0]);
    EXPECT_TRUE(keys[0].keyRequired);
    EXPECT_TRUE(keys[0].keyUnique);
    EXPECT_EQ(keys[1].key, &store->keys[1]);
    EXPECT_TRUE(keys[1].keyRequired);
    EXPECT_FALSE(keys[1].keyUnique);  // "true" is no number
}

TEST_F(CatalogueLoad, AFailedStoreListEndsTheLoadEmptyWithOneMessage) {
    ServeStoreList("<ZARN/>", 500);
    EXPECT_FALSE(Load());
    EXPECT_TRUE(manager.Stores().empty());
    EXPECT_EQ(manager.FindDocStore(u"Invoices"), nullptr);
    EXPECT_EQ(Targets(), (Paths{"/docStore/store/"}));
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text,
              FailureText("/docStore/store/", u"HTTP Request returned 500, Internal Server Error"));
    EXPECT_EQ(ui.messageBoxes[0].caption, u"zarnRel");
    EXPECT_EQ(ui.messageBoxes[0].kind, MessageBoxKind::kOk);
}

TEST_F(CatalogueLoad, AFailedStoreListEmptiesAnEarlierCatalogue) {
    ServeStoreList("<ZARN><docStore><store><name>A</name></store></docStore></ZARN>");
    ServeDetails("A", DetailsReply(""));
    ASSERT_TRUE(Load());
    ASSERT_EQ(manager.Stores().size(), 1u);
    ServeStoreList("", 304);
    EXPECT_FALSE(manager.LoadCatalogue());
    EXPECT_TRUE(manager.Stores().empty());
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text,
              FailureText("/docStore/store/", u"HTTP Request returned 304, Not Modified"));
}

TEST_F(CatalogueLoad, EachFailedDetailsRequestHasItsOwnMessageAndTheOthersStillLoad) {
    ServeStoreList(
        "<ZARN><docStore><store><name>A b</name></store><store><name>Good</name></store>"
        "<store><name>C/d</name></store></docStore></ZARN>");
    ServeDetails("Good", Fixture("invoices_details.xml"));
    ServeDetails("C%2Fd", "", 403);
    ASSERT_TRUE(Load());
    EXPECT_EQ(Targets(),
              (Paths{"/docStore/store/", "/docStore/store/A%20b/docTypeKey/",
                     "/docStore/store/Good/docTypeKey/", "/docStore/store/C%2Fd/docTypeKey/"}));
    ASSERT_EQ(manager.Stores().size(), 3u);
    EXPECT_TRUE(manager.Stores()[0].keys.empty());
    EXPECT_EQ(manager.Stores()[1].keys.size(), 3u);
    EXPECT_TRUE(manager.Stores()[2].links.empty());
    ASSERT_EQ(ui.messageBoxes.size(), 2u);
    EXPECT_EQ(ui.messageBoxes[0].text, FailureText("/docStore/store/A%20b/docTypeKey/",
                                                   u"HTTP Request returned 404, Not Found"));
    EXPECT_EQ(ui.messageBoxes[1].text, FailureText("/docStore/store/C%2Fd/docTypeKey/",
                                                   u"HTTP Request returned 403, Forbidden"));
}

TEST_F(CatalogueLoad, AnUnreachableServerIsReportedAsSuch) {
    std::u16string url;
    {
        TestServer gone;
        url = gone.Url();
    }
    manager.SetServerURL(url);
    EXPECT_FALSE(manager.LoadCatalogue());
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text,
              u"Failed to retrieve data from " + url +
                  u"/docStore/store/.\nMessage: http request failed: Unable to contact server");
}

TEST_F(CatalogueLoad, StoresWithoutNameAreSkippedAndRepeatedNamesLoadedTwice) {
    ServeStoreList(
        "<ZARN><docStore><store><name>A</name><description>first</description></store>"
        "<store><description>no name</description></store>"
        "<store><name>A</name><description>second</description></store>"
        "<store><name></name></store></docStore></ZARN>");
    ServeDetails("A", DetailsReply("<docStoreKeys><docStoreKey><name>k</name></docStoreKey>"
                                   "</docStoreKeys>"));
    ASSERT_TRUE(Load());
    EXPECT_EQ(Targets(), (Paths{"/docStore/store/", "/docStore/store/A/docTypeKey/",
                                "/docStore/store/A/docTypeKey/", "/docStore/store//docTypeKey/"}));
    ASSERT_EQ(manager.Stores().size(), 3u);
    EXPECT_EQ(manager.FindDocStore(u"A"), &manager.Stores()[0]);
    EXPECT_EQ(manager.Stores()[1].description, u"second");
    EXPECT_EQ(manager.Stores()[1].keys.size(), 1u);
    EXPECT_EQ(manager.FindDocStore(u"a"), nullptr);
    EXPECT_EQ(manager.FindDocStore(u""), &manager.Stores()[2]);
    // The server knows no store without a name.
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text,
              FailureText("/docStore/store//docTypeKey/", u"HTTP Request returned 404, Not Found"));
}

TEST_F(CatalogueLoad, TheServerUrlIsUsedExactlyAsTyped) {
    ServeStoreList("<ZARN/>");
    server.SetReply("//docStore/store/", {200, "text/xml", "<ZARN/>", {}});
    manager.SetServerURL(server.Url("/"));
    ASSERT_TRUE(manager.LoadCatalogue());
    EXPECT_EQ(Targets(), (Paths{"//docStore/store/"}));
}

TEST_F(CatalogueLoad, CredentialsGoWithEveryRequestAndChangeWithoutLosingTheCatalogue) {
    server.RequireBasicAuth("clerk", "s3cret");
    ServeStoreList("<ZARN><docStore><store><name>A</name></store></docStore></ZARN>");
    ServeDetails("A", DetailsReply(""));
    manager.SetServerURL(server.Url());
    manager.SetCredentials(u"clerk", u"wrong");
    EXPECT_FALSE(manager.LoadCatalogue());
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text,
              FailureText("/docStore/store/", u"HTTP Request returned 401, Unauthorized"));

    manager.SetCredentials(u"clerk", u"s3cret");
    ASSERT_TRUE(manager.LoadCatalogue());
    EXPECT_EQ(ui.messageBoxes.size(), 1u);  // the details request was let in too
    ASSERT_EQ(manager.Stores().size(), 1u);

    manager.SetCredentials(u"other", u"pw");
    EXPECT_EQ(manager.UserName(), u"other");
    EXPECT_EQ(manager.Password(), u"pw");
    EXPECT_EQ(manager.Stores().size(), 1u);
}

TEST_F(CatalogueLoad, ChangingTheServerUrlDiscardsTheCatalogue) {
    ServeStoreList("<ZARN><docStore><store><name>A</name></store></docStore></ZARN>");
    ServeDetails("A", DetailsReply(""));
    ASSERT_TRUE(Load());
    manager.SetServerURL(server.Url());
    EXPECT_EQ(manager.Stores().size(), 1u);
    std::u16string upper = server.Url();
    upper.replace(0, 4, u"HTTP");
    manager.SetServerURL(upper);
    EXPECT_TRUE(manager.Stores().empty());
    EXPECT_EQ(manager.ServerURL(), upper);
    EXPECT_EQ(server.RequestCount(), 2u);
}

TEST_F(CatalogueLoad, AReloadRequestsEverythingAgainAndDropsVanishedStores) {
    ServeStoreList(
        "<ZARN><docStore><store><name>A</name></store><store><name>B</name></store>"
        "</docStore></ZARN>");
    ServeDetails("A", DetailsReply(""));
    ServeDetails("B", DetailsReply(""));
    ASSERT_TRUE(Load());
    ServeStoreList("<ZARN><docStore><store><name>B</name></store></docStore></ZARN>");
    ASSERT_TRUE(manager.LoadCatalogue());
    ASSERT_EQ(manager.Stores().size(), 1u);
    EXPECT_EQ(manager.FindDocStore(u"A"), nullptr);
    EXPECT_EQ(server.RequestCount(), 5u);
}

TEST_F(CatalogueLoad, LoadingDetailsAgainReplacesRatherThanAddsLinks) {
    ServeStoreList("<ZARN><docStore><store><name>Invoices</name></store></docStore></ZARN>");
    ServeDetails("Invoices", Fixture("invoices_details.xml"));
    ASSERT_TRUE(Load());
    manager.LoadAllDetails();
    const DocStore& store = manager.Stores()[0];
    EXPECT_EQ(store.keys.size(), 3u);
    EXPECT_EQ(store.docTypes.size(), 2u);
    EXPECT_EQ(store.links.size(), 3u);

    DocStore copy = store;
    ServeDetails("Invoices", "", 500);
    EXPECT_FALSE(copy.LoadDetails(services, server.Url(), u"", u""));
    EXPECT_TRUE(copy.keys.empty());
    EXPECT_TRUE(copy.docTypes.empty());
    EXPECT_TRUE(copy.links.empty());
}

}  // namespace
}  // namespace zarn::test
