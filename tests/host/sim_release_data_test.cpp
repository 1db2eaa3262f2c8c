#include "host/sim/sim_release_data.h"

#include <gtest/gtest.h>

#include "host/kfx_constants.h"
#include "host/sim/sim_host.h"

namespace zarn::host::sim {
namespace {

class SimReleaseDataTest : public ::testing::Test {
  protected:
    SimReleaseDataTest() {
        record->indexFields = {{u"InvoiceNo", u""}, {u"Amount", u"Lines"}};
        record->links = {{u"InvoiceNo", KFX_REL_INDEXFIELD, u"03"},
                         {u"Amount", KFX_REL_INDEXFIELD, u"04"},
                         {u"first", KFX_REL_TEXTCONSTANT, u"docStoreName"},
                         {u"second", KFX_REL_TEXTCONSTANT, u"docStoreName"}};
        record->customProperties = {{u"docStore", u"Invoices"}};
        document.indexFields = {{u"InvoiceNo", u"A-17"}};
        document.tableColumns = {{u"Amount", {u"1.00", u"2.50"}}};
        document.imageFiles = {u"/img/p1.tif", u"/img/p2.tif"};
        document.containsNonImageFile = -1;
        document.kofaxPdfFileName = u"/pdf/doc.pdf";
    }

    std::shared_ptr<IReleaseData> Make() {
        return host.MakeReleaseData(record, {}, document, {u"user", u"secret", u";"});
    }

    std::shared_ptr<IValues> ValuesOf(IReleaseData& data) {
        std::shared_ptr<IValues> values;
        EXPECT_EQ(data.GetValues(values), kOk);
        return values;
    }

    SimHost host;
    std::shared_ptr<SetupRecord> record = std::make_shared<SetupRecord>();
    Document document;
};

std::u16string ValueText(IValue& value) {
    std::u16string text;
    EXPECT_EQ(value.GetValue(text), kOk);
    return text;
}

TEST_F(SimReleaseDataTest, ValuesByPositionCountFromOne) {
    std::shared_ptr<IValues> values = ValuesOf(*Make());
    std::int32_t count = 0;
    ASSERT_EQ(values->GetCount(count), kOk);
    EXPECT_EQ(count, 4);

    std::shared_ptr<IValue> value;
    ASSERT_EQ(values->GetItem(1, value), kOk);
    std::u16string destination;
    ASSERT_EQ(value->GetDestination(destination), kOk);
    EXPECT_EQ(destination, u"03");
    EXPECT_EQ(ValueText(*value), u"A-17");
    std::int32_t type = -5;
    ASSERT_EQ(value->GetSourceType(type), kOk);
    EXPECT_EQ(type, KFX_REL_INDEXFIELD);
    std::u16string source;
    ASSERT_EQ(value->GetSourceName(source), kOk);
    EXPECT_EQ(source, u"InvoiceNo");

    ASSERT_EQ(values->GetItem(4, value), kOk);
    EXPECT_EQ(ValueText(*value), u"second");
}

TEST_F(SimReleaseDataTest, PositionsOutOfRangeFailAndLeaveTheOutParameter) {
    std::shared_ptr<IValues> values = ValuesOf(*Make());
    std::shared_ptr<IValue> before;
    ASSERT_EQ(values->GetItem(1, before), kOk);
    for (std::int32_t position : {0, 5, -1}) {
        std::shared_ptr<IValue> value = before;
        EXPECT_TRUE(Failed(values->GetItem(position, value))) << position;
        EXPECT_EQ(value, before);
    }
}

TEST_F(SimReleaseDataTest, ValuesByDestinationTakeTheFirstMember) {
    std::shared_ptr<IValues> values = ValuesOf(*Make());
    std::shared_ptr<IValue> value;
    ASSERT_EQ(values->GetItem(std::u16string(u"docStoreName"), value), kOk);
    EXPECT_EQ(ValueText(*value), u"first");
    EXPECT_TRUE(Failed(values->GetItem(std::u16string(u"docstorename"), value)));
    EXPECT_TRUE(Failed(values->GetItem(std::u16string(u"3"), value)));
}

TEST_F(SimReleaseDataTest, TableValueAnswersItsRows) {
    std::shared_ptr<IValues> values = ValuesOf(*Make());
    std::shared_ptr<IValue> value;
    ASSERT_EQ(values->GetItem(std::u16string(u"04"), value), kOk);
    std::u16string table;
    ASSERT_EQ(value->GetTableName(table), kOk);
    EXPECT_EQ(table, u"Lines");
    EXPECT_EQ(ValueText(*value), u"1.00;2.50");

    std::shared_ptr<IRowValues> rows;
    ASSERT_EQ(value->GetRowValues(rows), kOk);
    std::int32_t count = 0;
    ASSERT_EQ(rows->Count(count), kOk);
    ASSERT_EQ(count, 2);
    std::shared_ptr<IValue> row;
    ASSERT_EQ(rows->Item(2, row), kOk);
    EXPECT_EQ(ValueText(*row), u"2.50");
    EXPECT_TRUE(Failed(rows->Item(3, row)));
    EXPECT_TRUE(Failed(rows->Item(0, row)));
}

TEST_F(SimReleaseDataTest, SingleValueHasNoRows) {
    std::shared_ptr<IValue> value;
    ASSERT_EQ(ValuesOf(*Make())->GetItem(1, value), kOk);
    std::u16string table = u"unchanged";
    ASSERT_EQ(value->GetTableName(table), kOk);
    EXPECT_EQ(table, u"");
    std::shared_ptr<IRowValues> rows;
    ASSERT_EQ(value->GetRowValues(rows), kOk);
    std::int32_t count = -1;
    ASSERT_EQ(rows->Count(count), kOk);
    EXPECT_EQ(count, 0);
}

TEST_F(SimReleaseDataTest, ValuesFollowTheLinksAtEachFetch) {
    std::shared_ptr<IReleaseData> data = Make();
    std::shared_ptr<IValues> before = ValuesOf(*data);
    record->links.push_back({u"more", KFX_REL_TEXTCONSTANT, u"05"});
    std::int32_t count = 0;
    ASSERT_EQ(before->GetCount(count), kOk);
    EXPECT_EQ(count, 4);
    ASSERT_EQ(ValuesOf(*data)->GetCount(count), kOk);
    EXPECT_EQ(count, 5);
}

TEST_F(SimReleaseDataTest, ChildrenOutliveTheirParents) {
    std::shared_ptr<IRowValues> rows;
    {
        std::shared_ptr<IReleaseData> data = Make();
        std::shared_ptr<IValue> value;
        ASSERT_EQ(ValuesOf(*data)->GetItem(2, value), kOk);
        ASSERT_EQ(value->GetRowValues(rows), kOk);
    }
    record.reset();
    std::shared_ptr<IValue> row;
    ASSERT_EQ(rows->Item(1, row), kOk);
    EXPECT_EQ(ValueText(*row), u"1.00");
}

TEST_F(SimReleaseDataTest, SessionAndDocumentTexts) {
    std::shared_ptr<IReleaseData> data = Make();
    std::u16string text;
    ASSERT_EQ(data->GetUser(text), kOk);
    EXPECT_EQ(text, u"user");
    ASSERT_EQ(data->GetPassword(text), kOk);
    EXPECT_EQ(text, u"secret");
    ASSERT_EQ(data->GetRowSeparator(text), kOk);
    EXPECT_EQ(text, u";");
    ASSERT_EQ(data->GetKofaxPDFFileName(text), kOk);
    EXPECT_EQ(text, u"/pdf/doc.pdf");
}

TEST_F(SimReleaseDataTest, ImageFiles) {
    std::shared_ptr<IImageFiles> files;
    ASSERT_EQ(Make()->GetImageFiles(files), kOk);
    std::int32_t number = 0;
    ASSERT_EQ(files->GetCount(number), kOk);
    EXPECT_EQ(number, 2);
    ASSERT_EQ(files->GetContainsNonImageFile(number), kOk);
    EXPECT_EQ(number, -1);
    std::shared_ptr<IImageFile> file;
    ASSERT_EQ(files->GetItem(2, file), kOk);
    std::u16string name;
    ASSERT_EQ(file->GetFileName(name), kOk);
    EXPECT_EQ(name, u"/img/p2.tif");
    EXPECT_TRUE(Failed(files->GetItem(3, file)));
}

TEST_F(SimReleaseDataTest, CustomPropertiesAreTheRecordsOwn) {
    std::shared_ptr<ICustomProperties> properties;
    ASSERT_EQ(Make()->GetCustomProperties(properties), kOk);
    std::shared_ptr<ICustomProperty> property;
    ASSERT_EQ(properties->GetItem(u"docStore", property), kOk);
    std::u16string value;
    ASSERT_EQ(property->GetValue(value), kOk);
    EXPECT_EQ(value, u"Invoices");
    EXPECT_TRUE(Failed(properties->GetItem(u"serverURL", property)));
}

TEST_F(SimReleaseDataTest, LogErrorAndSendMessageAreJournaledWithAllArguments) {
    std::shared_ptr<IReleaseData> data = Make();
    EXPECT_EQ(data->LogError(1, 0, 0, u"Failed to get values", u"releaseScript", 120), kOk);
    EXPECT_EQ(data->SendDocumentMessage(u"Failed to get values", 1, KFX_REL_DOC_ERROR), kOk);
    EXPECT_EQ(
        host.JournalOfWrites().Entries(),
        (std::vector<JournalEntry>{
            {"ReleaseData.LogError", {u"Failed to get values", u"releaseScript"}, {1, 0, 0, 120}},
            {"ReleaseData.SendMessage", {u"Failed to get values"}, {1, 1}},
        }));
}

TEST(SimReleaseData, NullRecordHasNoValuesAndNoProperties) {
    SimHost host;
    std::shared_ptr<IReleaseData> data = host.MakeReleaseData(nullptr, {}, {});
    std::shared_ptr<IValues> values;
    ASSERT_EQ(data->GetValues(values), kOk);
    std::int32_t count = -1;
    ASSERT_EQ(values->GetCount(count), kOk);
    EXPECT_EQ(count, 0);
    std::shared_ptr<ICustomProperties> properties;
    ASSERT_EQ(data->GetCustomProperties(properties), kOk);
    std::shared_ptr<ICustomProperty> property;
    EXPECT_EQ(properties->GetItem(u"serverURL", property), kBadIndex);
}

}  // namespace
}  // namespace zarn::host::sim
