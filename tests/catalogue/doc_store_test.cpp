#include "catalogue/doc_store.h"

#include <gtest/gtest.h>

namespace zarn {
namespace {

DocStoreDocType DocType(std::int32_t id, std::u16string name) {
    DocStoreDocType docType;
    docType.id = id;
    docType.name = std::move(name);
    return docType;
}

DocStoreKey Key(std::int32_t id, std::u16string name) {
    DocStoreKey key;
    key.id = id;
    key.name = std::move(name);
    return key;
}

DocTypeToKeyMapper Link(std::int32_t docTypeID, std::int32_t keyTableID, std::int32_t sortIndex,
                        bool keyRequired = false, bool keyUnique = false) {
    return {docTypeID, keyTableID, sortIndex, keyRequired, keyUnique};
}

// The key names of the entries, "-" for an entry without a key.
std::vector<std::u16string> Names(const std::vector<DocTypeKey>& entries) {
    std::vector<std::u16string> names;
    for (const DocTypeKey& entry : entries)
        names.push_back(entry.key ? entry.key->name : u"-");
    return names;
}

using Names16 = std::vector<std::u16string>;

TEST(DocStoreRecords, ResetRestoresEveryDefault) {
    DocStoreKey key = Key(4, u"k");
    key.type = KeyDataType::kChar;
    key.size = 9;
    key.Reset();
    EXPECT_EQ(key.id, -1);
    EXPECT_EQ(key.type, KeyDataType::kUnknown);
    EXPECT_EQ(key.size, 0);
    EXPECT_TRUE(key.name.empty());
    EXPECT_EQ(key.TypeDescription(), u"Unknown");

    DocStore store;
    store.name = u"s";
    store.library = u"lib";
    store.docTypes.push_back(DocType(1, u"t"));
    store.keys.push_back(Key(1, u"k"));
    store.links.push_back(Link(1, 1, 0));
    store.Reset();
    EXPECT_TRUE(store.name.empty());
    EXPECT_TRUE(store.library.empty());
    EXPECT_TRUE(store.docTypes.empty());
    EXPECT_TRUE(store.keys.empty());
    EXPECT_TRUE(store.links.empty());
}

TEST(DocStoreRecords, ACopiedStoreIsIndependentAndExact) {
    DocStore source;
    source.name = u"Invoices";
    source.docTypes.push_back(DocType(1, u"Bill"));
    source.keys.push_back(Key(7, u"Amount"));
    source.links.push_back(Link(1, 7, 0));

    DocStore target;
    target.links = {Link(9, 9, 9), Link(8, 8, 8)};
    target = source;
    target.docTypes[0].name = u"Changed";
    target.keys.push_back(Key(8, u"More"));
    EXPECT_EQ(target.links.size(), 1u);  // assignment replaces the target's links
    EXPECT_EQ(source.docTypes[0].name, u"Bill");
    EXPECT_EQ(source.keys.size(), 1u);

    DocStore copy(source);
    std::vector<DocTypeKey> out;
    ASSERT_TRUE(copy.GetDocTypeKeys(u"Bill", out));
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].key, &copy.keys[0]);  // entries point into the copy, not the source
}

TEST(FindDocType, MatchesExactlyAndFindsTheFirst) {
    DocStore store;
    EXPECT_EQ(store.FindDocType(u"Bill"), nullptr);
    store.docTypes = {DocType(1, u"Bill"), DocType(2, u"bill"), DocType(3, u"Bill")};
    EXPECT_EQ(store.FindDocType(u"Bill"), &store.docTypes[0]);
    EXPECT_EQ(store.FindDocType(u"bill"), &store.docTypes[1]);
    EXPECT_EQ(store.FindDocType(u"BILL"), nullptr);
    EXPECT_EQ(store.FindDocType(u"Bill "), nullptr);
    EXPECT_EQ(store.FindDocType(u""), nullptr);
}

TEST(GetDocTypeKeys, FailsForAnUnknownTypeAndLeavesTheListAlone) {
    DocStore empty;
    std::vector<DocTypeKey> out{{5, nullptr, true, false}};
    EXPECT_FALSE(empty.GetDocTypeKeys(u"", out));
    EXPECT_FALSE(empty.GetDocTypeKeys(u"Bill", out));
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].sortIndex, 5);
}

TEST(GetDocTypeKeys, ATypeWithoutLinksGivesTrueAndNoEntries) {
    DocStore store;
    store.docTypes = {DocType(1, u"Bill"), DocType(2, u"Note")};
    store.keys = {Key(1, u"a")};
    store.links = {Link(2, 1, 0)};
    std::vector<DocTypeKey> out;
    EXPECT_TRUE(store.GetDocTypeKeys(u"Bill", out));
    EXPECT_TRUE(out.empty());
}

TEST(GetDocTypeKeys, SortsByIndexKeepingLinkOrderForEqualIndexes) {
    DocStore store;
    store.docTypes = {DocType(1, u"Bill"), DocType(2, u"Note")};
    store.keys = {Key(10, u"a"), Key(11, u"b"), Key(12, u"c"), Key(13, u"d"), Key(14, u"e")};
    store.links = {Link(1, 10, 3), Link(2, 11, 0), Link(1, 12, 1, true, false), Link(1, 13, 3),
                   Link(1, 14, -1, false, true)};
    std::vector<DocTypeKey> out;
    ASSERT_TRUE(store.GetDocTypeKeys(u"Bill", out));
    EXPECT_EQ(Names(out), (Names16{u"e", u"c", u"a", u"d"}));
    EXPECT_EQ(out[0].sortIndex, -1);
    EXPECT_TRUE(out[0].keyUnique);
    EXPECT_FALSE(out[0].keyRequired);
    EXPECT_TRUE(out[1].keyRequired);
    EXPECT_FALSE(out[1].keyUnique);
}

TEST(GetDocTypeKeys, ExistingEntriesTakePartInTheOrdering) {
    DocStore store;
    store.docTypes = {DocType(1, u"Bill")};
    store.keys = {Key(10, u"a"), Key(11, u"b")};
    store.links = {Link(1, 10, 2), Link(1, 11, 0)};
    DocStoreKey outside = Key(99, u"x");
    std::vector<DocTypeKey> out{{1, &outside, false, false}, {0, nullptr, false, false}};
    ASSERT_TRUE(store.GetDocTypeKeys(u"Bill", out));
    // "a" (2) goes after everything; "b" (0) goes before the first entry greater than 0.
    EXPECT_EQ(Names(out), (Names16{u"b", u"x", u"-", u"a"}));
}

TEST(GetDocTypeKeys, AMissingKeyGivesAnEntryWithoutKeyThatStillCounts) {
    DocStore store;
    store.docTypes = {DocType(1, u"Bill")};
    store.keys = {Key(10, u"a"), Key(10, u"duplicate")};
    store.links = {Link(1, 42, 1), Link(1, 10, 2), Link(1, 43, 0)};
    std::vector<DocTypeKey> out;
    ASSERT_TRUE(store.GetDocTypeKeys(u"Bill", out));
    EXPECT_EQ(Names(out), (Names16{u"-", u"-", u"a"}));
    EXPECT_EQ(out[0].sortIndex, 0);
    EXPECT_EQ(out[1].sortIndex, 1);
    EXPECT_EQ(out[2].key, &store.keys[0]);  // the first key with the id
}

TEST(GetDocTypeKeys, LinksBelongToTheFirstTypeWithTheirId) {
    DocStore store;
    store.docTypes = {DocType(5, u"First"), DocType(5, u"Second")};
    store.keys = {Key(1, u"a")};
    store.links = {Link(5, 1, 0)};
    std::vector<DocTypeKey> out;
    ASSERT_TRUE(store.GetDocTypeKeys(u"Second", out));
    EXPECT_TRUE(out.empty());
    ASSERT_TRUE(store.GetDocTypeKeys(u"First", out));
    EXPECT_EQ(Names(out), (Names16{u"a"}));
}

TEST(GetDocTypeKeys, ALinkWithoutIdsJoinsATypeAndAKeyWithoutIds) {
    DocStore store;
    store.docTypes = {DocType(-1, u"NoId")};
    store.keys = {Key(3, u"a"), Key(-1, u"noIdKey")};
    store.links = {DocTypeToKeyMapper()};
    std::vector<DocTypeKey> out;
    ASSERT_TRUE(store.GetDocTypeKeys(u"NoId", out));
    EXPECT_EQ(Names(out), (Names16{u"noIdKey"}));
    EXPECT_EQ(out[0].sortIndex, -1);
}

}  // namespace
}  // namespace zarn
