#include <gtest/gtest.h>

#include "tools/docstore_server/catalogue_fixture.h"

namespace zarn::docstore {
namespace {

std::string ErrorOf(const std::string& text) {
    Catalogue catalogue;
    std::string error;
    EXPECT_FALSE(ParseCatalogueFixture("catalogue.json", text, catalogue, error));
    return error;
}

TEST(CatalogueFixtureTest, TheSampleCatalogueIsSound) {
    Catalogue catalogue;
    std::string error;
    ASSERT_TRUE(LoadCatalogueFixture(ZARN_EXAMPLES_DIR "/catalogue.json", catalogue, error))
        << error;
    ASSERT_NE(catalogue.FindStore("HR Records"), nullptr);
    const FixtureDocType* invoice = catalogue.FindStore("Finance")->FindDocType("Invoice");
    ASSERT_NE(invoice, nullptr);
    EXPECT_TRUE(invoice->FindKey("InvoiceNo")->required);
    EXPECT_TRUE(invoice->FindKey("InvoiceNo")->unique);
}

TEST(CatalogueFixtureTest, IdsAndSortIndexesDefaultToThePositionInTheirList) {
    Catalogue catalogue;
    std::string error;
    ASSERT_TRUE(ParseCatalogueFixture("c.json", R"({"stores": [{"name": "S",
        "keys": [{"name": "A", "type": "CHAR"}, {"name": "B", "type": "DATE", "id": 9}],
        "documentTypes": [{"name": "T", "keys": [{"key": "B"}, {"key": "A", "sortIndex": 7}]},
                          {"name": "U"}]}]})",
                                      catalogue, error))
        << error;
    const FixtureStore& store = catalogue.stores.at(0);
    EXPECT_EQ(store.FindKey("A")->id, 1);
    EXPECT_EQ(store.FindKey("B")->id, 9);
    EXPECT_EQ(store.FindDocType("U")->id, 2);
    EXPECT_EQ(store.FindDocType("T")->FindKey("B")->sortIndex, 0);
    EXPECT_EQ(store.FindDocType("T")->FindKey("A")->sortIndex, 7);
    EXPECT_FALSE(store.FindDocType("T")->FindKey("A")->required);
}

TEST(CatalogueFixtureTest, ACatalogueThatCouldNotBeServedSoundlyIsRefusedWithItsPlace) {
    EXPECT_EQ(ErrorOf("{\"stores\": [{\"name\": \"S\"},\n {\"name\": \"S\"}]}"),
              "catalogue.json:2:2: stores[1]: store \"S\" appears twice");
    EXPECT_EQ(ErrorOf(R"({"stores": [{"name": "S", "keys": [{"name": "A", "type": "CHAR"}],
        "documentTypes": [{"name": "T", "keys": [{"key": "Z"}]}]}]})"),
              "catalogue.json:2:58: stores[0].documentTypes[0].keys[0].key: the store has no "
              "key \"Z\"");
    EXPECT_EQ(ErrorOf(R"({"stores": [{"name": "S", "keys": [{"name": "A", "type": "CHAR"},
        {"name": "B", "type": "CHAR", "id": 1}]}]})"),
              "catalogue.json:2:9: stores[0].keys[1]: key id \"1\" appears twice");
    EXPECT_EQ(ErrorOf(R"({"stores": [{"name": ""}]})"),
              "catalogue.json:1:22: stores[0].name: must not be empty");
    EXPECT_EQ(ErrorOf(R"({"stores": [{"name": "S", "keys": [{"name": "A"}]}]})"),
              "catalogue.json:1:36: stores[0].keys[0]: \"type\" is missing");
    EXPECT_EQ(ErrorOf(R"({"store": []})"),
              "catalogue.json:1:11: store: unknown setting; expected one of: stores");
}

}  // namespace
}  // namespace zarn::docstore
