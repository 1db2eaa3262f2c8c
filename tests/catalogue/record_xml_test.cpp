// Reading catalogue records from XML elements, with the conversions of their fields.

#include <gtest/gtest.h>

#include "catalogue/doc_store.h"
#include "tests/support/reply_bytes.h"

namespace zarn {
namespace {

// Parses `xml` and hands its root element to `record.LoadFromXml`.
template <typename Record>
bool LoadRecord(Record& record, const std::string& xml) {
    std::unique_ptr<XmlDocument> document = test::ParseReplyBytes(xml);
    std::unique_ptr<XmlNode> root = document->SelectSingleNode(u"/*");
    EXPECT_NE(root, nullptr) << xml;
    return root && record.LoadFromXml(*root);
}

DocTypeToKeyMapper Link(const std::string& children) {
    DocTypeToKeyMapper link;
    link.keyTableID = 77;  // a link read again starts from the defaults
    EXPECT_TRUE(LoadRecord(link, "<documentTypeKey>" + children + "</documentTypeKey>"));
    return link;
}

TEST(RecordFromXml, AnElementWithoutNameIsNoRecord) {
    DocStore store;
    store.description = u"old";
    EXPECT_FALSE(LoadRecord(store, "<store><description>d</description></store>"));
    EXPECT_TRUE(store.description.empty());
    DocStoreKey key;
    EXPECT_FALSE(LoadRecord(key, "<docStoreKey><id>4</id><Name>upper</Name></docStoreKey>"));
    EXPECT_EQ(key.id, -1);
    DocStoreDocType docType;
    EXPECT_FALSE(LoadRecord(docType, "<documentType name=\"attr\"/>"));
    EXPECT_TRUE(docType.name.empty());
}

TEST(RecordFromXml, TextsAreTakenAsTheDomGivesThem) {
    DocStore store;
    ASSERT_TRUE(LoadRecord(store,
                           "<store><name>  padded  </name><description>a<b>b</b><![CDATA[<c>]]>"
                           "</description><library/><name>second</name></store>"));
    EXPECT_EQ(store.name, u"  padded  ");
    EXPECT_EQ(store.description, u"ab<c>");
    EXPECT_EQ(store.library, u"");

    // Past 1024 code units a text is cut, never inside a surrogate pair.
    const std::string smiles(1023, 'a');
    ASSERT_TRUE(LoadRecord(store, "<store><name>" + std::string(5000, 'n') +
                                      "</name><description>" + smiles +
                                      "\xF0\x9F\x98\x80</description><library>" + smiles +
                                      "b\xF0\x9F\x98\x80</library></store>"));
    EXPECT_EQ(store.name, std::u16string(1024, u'n'));
    EXPECT_EQ(store.description, std::u16string(1023, u'a'));
    EXPECT_EQ(store.library, std::u16string(1023, u'a') + u"b");
    const std::string long2000(2000, 'x');
    DocStoreKey key;
    DocStoreDocType docType;
    ASSERT_TRUE(LoadRecord(key, "<docStoreKey><name>" + long2000 + "</name><description>" +
                                    long2000 + "</description></docStoreKey>"));
    ASSERT_TRUE(LoadRecord(docType, "<documentType><name>" + long2000 + "</name><rootFolder>" +
                                        long2000 + "</rootFolder></documentType>"));
    for (const std::u16string* text :
         {&key.name, &key.description, &docType.name, &docType.rootFolder}) {
        EXPECT_EQ(text->size(), 1024u);
    }
}

TEST(RecordFromXml, AbsentIntegersKeepTheirDefaultAndEmptyOnesGiveZero) {
    DocStoreKey key;
    ASSERT_TRUE(LoadRecord(key, "<docStoreKey><name>k</name><id></id></docStoreKey>"));
    EXPECT_EQ(key.id, 0);
    ASSERT_TRUE(LoadRecord(key, "<docStoreKey><name>k</name></docStoreKey>"));
    EXPECT_EQ(key.id, -1);
    EXPECT_EQ(key.size, 0);

    DocTypeToKeyMapper empty = Link("<docTypeID/><keyTableID></keyTableID><sortIndex/>");
    EXPECT_EQ(empty.docTypeID, 0);
    EXPECT_EQ(empty.keyTableID, 0);
    EXPECT_EQ(empty.sortIndex, 0);
    DocTypeToKeyMapper absent = Link("");
    EXPECT_EQ(absent.docTypeID, -1);
    EXPECT_EQ(absent.keyTableID, -1);
    EXPECT_EQ(absent.sortIndex, -1);
    EXPECT_FALSE(absent.keyRequired);
    EXPECT_FALSE(absent.keyUnique);
}

TEST(RecordFromXml, IntegersBeyondThe32BitRangeAreClamped) {
    DocTypeToKeyMapper link = Link(
        "<docTypeID>99999999999</docTypeID><keyTableID>-99999999999</keyTableID>"
        "<sortIndex> 12abc</sortIndex><keyRequired>4294967297</keyRequired>");
    EXPECT_EQ(link.docTypeID, INT32_MAX);
    EXPECT_EQ(link.keyTableID, INT32_MIN);
    EXPECT_EQ(link.sortIndex, 12);
    EXPECT_FALSE(link.keyRequired);
}

TEST(RecordFromXml, AKeysDescriptionFollowsAllItsFields) {
    DocStoreKey key;
    ASSERT_TRUE(LoadRecord(key,
                           "<docStoreKey><scale>2</scale><size>10</size><type>numeric</type>"
                           "<name>Amount</name><description>Sum</description><id>5</id>"
                           "</docStoreKey>"));
    EXPECT_EQ(key.type, KeyDataType::kNumeric);
    EXPECT_EQ(key.TypeDescription(), u"Decimal (10, 2)");
    EXPECT_EQ(key.description, u"Sum");
    EXPECT_EQ(key.id, 5);

    ASSERT_TRUE(LoadRecord(key,
                           "<docStoreKey><name>n</name><type>CHAR(20)</type><size>-3</size>"
                           "<scale>1</scale></docStoreKey>"));
    EXPECT_EQ(key.type, KeyDataType::kUnknown);
    EXPECT_EQ(key.size, -3);
    EXPECT_EQ(key.scale, 1);
    EXPECT_EQ(key.TypeDescription(), u"Unknown");

    ASSERT_TRUE(LoadRecord(key, "<docStoreKey><name>n</name><type>char</type></docStoreKey>"));
    EXPECT_EQ(key.TypeDescription(), u"Text (Length: 0)");
}

TEST(RecordFromXml, ChildrenInAnotherNamespaceAreNotTheFields) {
    DocStore store;
    EXPECT_FALSE(LoadRecord(store, "<store xmlns=\"urn:other\"><name>n</name></store>"));
    ASSERT_TRUE(LoadRecord(store,
                           "<store xmlns:o=\"urn:o\"><o:name>x</o:name><name>n</name>"
                           "</store>"));
    EXPECT_EQ(store.name, u"n");
}

}  // namespace
}  // namespace zarn
