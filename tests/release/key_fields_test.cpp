#include "release/key_fields.h"

#include <gtest/gtest.h>

#include "common/utf16_text.h"
#include "host/kfx_constants.h"
#include "host/sim/sim_host.h"
#include "tests/support/memory_file_system.h"
#include "tools/docstore_server/multipart_parser.h"

namespace zarn {
namespace {

using Fields = std::vector<std::pair<std::string, std::string>>;

constexpr char16_t kBoundary[] = u"---------------------------zarnRel";

// The fields a body holds, in order.
Fields FieldsOf(MultipartBody& body) {
    EXPECT_TRUE(body.AppendText(FillTemplate(u"--%s--\r\n\r\n", {kBoundary})));
    std::string bytes(body.Stream().Size(), '\0');
    body.Stream().Read(0, bytes.data(), bytes.size());
    if (bytes.starts_with("--" + ToUtf8(kBoundary) + "--"))
        return {};
    std::vector<docstore::FormPart> parts;
    std::string error;
    EXPECT_TRUE(docstore::ParseMultipart(bytes, ToUtf8(kBoundary), parts, error)) << error;
    Fields fields;
    for (const auto& part : parts) {
        fields.emplace_back(part.name, part.content);
    }
    return fields;
}

TEST(AddSplitValue, SplitsOnEveryOccurrenceOfTheSeparator) {
    struct Case {
        std::u16string value, separator;
        Fields expected;
    };
    const Case cases[] = {
        {u"a;b;c", u";", {{"K", "a"}, {"K", "b"}, {"K", "c"}}},
        {u"a;;b", u";", {{"K", "a"}, {"K", ""}, {"K", "b"}}},
        {u"a;", u";", {{"K", "a"}}},
        {u";a", u";", {{"K", ""}, {"K", "a"}}},
        {u"", u";", {}},
        {u"x||y", u"||", {{"K", "x"}, {"K", "y"}}},
        {u"x|y", u"||", {{"K", "x|y"}}},
    };
    test::MemoryFileSystem files;
    for (const Case& c : cases) {
        MultipartBody body(kBoundary, files);
        AddSplitValue(body, u"K", c.value, c.separator);
        EXPECT_EQ(FieldsOf(body), c.expected) << ToUtf8(c.value);
    }
}

class KeyFieldsTest : public ::testing::Test {
  protected:
    Fields Pass(const std::u16string& rowSeparator = u"") {
        session.rowSeparator = rowSeparator;
        auto data = host.MakeReleaseData(record, {}, document, session);
        std::shared_ptr<host::IValues> values;
        EXPECT_EQ(data->GetValues(values), kOk);
        std::int32_t count = 0;
        EXPECT_EQ(values->GetCount(count), kOk);
        MultipartBody body(kBoundary, files);
        AddKeyFields(*data, *values, count, rowSeparator, body);
        return FieldsOf(body);
    }

    test::MemoryFileSystem files;
    host::sim::SimHost host;
    std::shared_ptr<host::sim::SetupRecord> record = std::make_shared<host::sim::SetupRecord>();
    host::sim::Document document;
    host::sim::ReleaseSession session;
};

TEST_F(KeyFieldsTest, DestinationWithAKeyNameBecomesAField) {
    record->links = {{u"A-17", host::KFX_REL_TEXTCONSTANT, u"03"},
                     {u"B", host::KFX_REL_TEXTCONSTANT, u"3"},
                     {u"srv", host::KFX_REL_TEXTCONSTANT, u"docStoreServer"},
                     {u"", host::KFX_REL_TEXTCONSTANT, u"04"}};
    record->customProperties = {{u"docTypeKeyName[03]", u"InvoiceNo"},
                                {u"docTypeKeyName[04]", u""}};
    // "3" looks up docTypeKeyName[3], which is not stored; an empty key name still names a field.
    EXPECT_EQ(Pass(), (Fields{{"InvoiceNo", "A-17"}, {"", ""}}));
}

TEST_F(KeyFieldsTest, RowSeparatorSplitsValuesInsteadOfReadingTables) {
    record->links = {{u"a;b", host::KFX_REL_TEXTCONSTANT, u"00"},
                     {u"", host::KFX_REL_TEXTCONSTANT, u"01"}};
    record->customProperties = {{u"docTypeKeyName[00]", u"K0"}, {u"docTypeKeyName[01]", u"K1"}};
    EXPECT_EQ(Pass(u";"), (Fields{{"K0", "a"}, {"K0", "b"}}));
    // Without a separator an empty single value is one empty field.
    EXPECT_EQ(Pass(), (Fields{{"K0", "a;b"}, {"K1", ""}}));
}

TEST_F(KeyFieldsTest, TableValueGivesOneFieldPerRow) {
    record->indexFields = {{u"Amount", u"Lines"}};
    record->links = {{u"Amount", host::KFX_REL_INDEXFIELD, u"02"}};
    record->customProperties = {{u"docTypeKeyName[02]", u"amount"}};
    document.tableColumns = {{u"Amount", {u"10", u"20", u"30"}}};
    EXPECT_EQ(Pass(), (Fields{{"amount", "10"}, {"amount", "20"}, {"amount", "30"}}));
}

TEST_F(KeyFieldsTest, FailuresLeaveOutOnlyWhatTheyConcern) {
    record->indexFields = {{u"Amount", u"Lines"}};
    record->links = {{u"x", host::KFX_REL_TEXTCONSTANT, u"00"},
                     {u"y", host::KFX_REL_TEXTCONSTANT, u"01"},
                     {u"Amount", host::KFX_REL_INDEXFIELD, u"02"}};
    record->customProperties = {{u"docTypeKeyName[00]", u"K0"},
                                {u"docTypeKeyName[01]", u"K1"},
                                {u"docTypeKeyName[02]", u"K2"}};
    document.tableColumns = {{u"Amount", {u"10", u"20", u"30"}}};

    host.Failures().Fail({"Values.GetItem", kFail, 0, host::CollectionKey(std::int32_t{1})});
    host.Failures().Fail({"RowValues.Item", kFail, 2, std::nullopt});
    EXPECT_EQ(Pass(), (Fields{{"K1", "y"}, {"K2", "10"}, {"K2", "30"}}));

    host.Failures().ClearRules();
    host.Failures().Fail("RowValues.Count");
    EXPECT_EQ(Pass(), (Fields{{"K0", "x"}, {"K1", "y"}}));
}

}  // namespace
}  // namespace zarn
