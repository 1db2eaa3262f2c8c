#include "host/sim/values_builder.h"

#include <gtest/gtest.h>

#include "host/kfx_constants.h"

namespace zarn::host::sim {
namespace {

struct Sample {
    SetupRecord record;
    Batch batch;
    Document document;
};

Sample MakeSample() {
    Sample sample;
    sample.record.indexFields = {{u"InvoiceNo", u""}, {u"Amount", u"Lines"}, {u"Item", u"Lines"}};
    sample.batch.captureValues = {{u"Batch Name", u"B-01"}};
    sample.batch.batchFields = {{u"Region", u"North"}};
    sample.document.documentId = u"42";
    sample.document.indexFields = {{u"InvoiceNo", u"A-17"}, {u"InvoiceNo", u"second"}};
    sample.document.tableColumns = {{u"Amount", {u"1.00", u"2.50", u""}}};
    sample.document.originalFolder = u"C:\\in";
    sample.document.originalFileName = u"scan.tif";
    sample.document.originalFileNameExt = u"tif";
    return sample;
}

ValueData BuildOne(const Sample& sample, Link link, const std::u16string& separator = u"") {
    Sample copy = sample;
    copy.record.links = {std::move(link)};
    std::vector<ValueData> values = BuildValues(copy.record, copy.batch, copy.document, separator);
    EXPECT_EQ(values.size(), 1u);
    return values.empty() ? ValueData{} : values.front();
}

TEST(BuildValues, EachSourceTypeGivesItsValue) {
    Sample sample = MakeSample();
    EXPECT_EQ(BuildOne(sample, {u"fixed text", KFX_REL_TEXTCONSTANT, u"01"}).value, u"fixed text");
    // The first of two values of one name is the field's value.
    EXPECT_EQ(BuildOne(sample, {u"InvoiceNo", KFX_REL_INDEXFIELD, u"02"}).value, u"A-17");
    EXPECT_EQ(BuildOne(sample, {u"Batch Name", KFX_REL_VARIABLE, u"03"}).value, u"B-01");
    EXPECT_EQ(BuildOne(sample, {u"Region", KFX_REL_BATCHFIELD, u"04"}).value, u"North");
    EXPECT_EQ(BuildOne(sample, {u"ignored", KFX_REL_DOCUMENTID, u"05"}).value, u"42");
    EXPECT_EQ(BuildOne(sample, {u"InvoiceNo", KFX_REL_UNDEFINED_LINK, u"06"}).value, u"");
    EXPECT_EQ(BuildOne(sample, {u"InvoiceNo", 9, u"07"}).value, u"");
}

TEST(BuildValues, SourcesWithoutAValueAreEmpty) {
    Sample sample = MakeSample();
    EXPECT_EQ(BuildOne(sample, {u"Missing", KFX_REL_INDEXFIELD, u"01"}).value, u"");
    EXPECT_EQ(BuildOne(sample, {u"Missing", KFX_REL_VARIABLE, u"01"}).value, u"");
    EXPECT_EQ(BuildOne(sample, {u"Missing", KFX_REL_BATCHFIELD, u"01"}).value, u"");
    // Names are compared exactly.
    EXPECT_EQ(BuildOne(sample, {u"invoiceno", KFX_REL_INDEXFIELD, u"01"}).value, u"");
}

TEST(BuildValues, CarriesTheLinkAndKeepsLinkOrder) {
    Sample sample = MakeSample();
    sample.record.links = {{u"Region", KFX_REL_BATCHFIELD, u"docStoreName"},
                           {u"x", KFX_REL_TEXTCONSTANT, u"docStoreName"},
                           {u"", KFX_REL_TEXTCONSTANT, u"00"}};
    std::vector<ValueData> values = BuildValues(sample.record, sample.batch, sample.document, u"");
    ASSERT_EQ(values.size(), 3u);
    EXPECT_EQ(values[0].destination, u"docStoreName");
    EXPECT_EQ(values[0].sourceName, u"Region");
    EXPECT_EQ(values[0].sourceType, KFX_REL_BATCHFIELD);
    EXPECT_EQ(values[0].tableName, u"");
    EXPECT_EQ(values[1].value, u"x");
    EXPECT_EQ(values[2].destination, u"00");
    EXPECT_EQ(values[2].value, u"");
}

TEST(BuildValues, OriginalFileValuesComeFromTheDocument) {
    Sample sample = MakeSample();
    // A batch value of the same name does not hide the document's own.
    sample.batch.batchFields.emplace_back(u"OriginalFolder", u"batch folder");
    EXPECT_EQ(BuildOne(sample, {u"OriginalFolder", KFX_REL_BATCHFIELD, u"OriginalFolder"}).value,
              u"C:\\in");
    EXPECT_EQ(
        BuildOne(sample, {u"First Page Original File Name", KFX_REL_VARIABLE, u"OriginalFileName"})
            .value,
        u"scan.tif");
    EXPECT_EQ(BuildOne(sample, {u"OriginalFileNameExt", KFX_REL_BATCHFIELD, u"OriginalFileNameExt"})
                  .value,
              u"tif");
    // Under another source type the names are ordinary ones.
    EXPECT_EQ(BuildOne(sample, {u"OriginalFolder", KFX_REL_VARIABLE, u"01"}).value, u"");
}

TEST(BuildValues, TableColumnGivesTableNameRowsAndJoinedValue) {
    Sample sample = MakeSample();
    ValueData plain = BuildOne(sample, {u"Amount", KFX_REL_INDEXFIELD, u"03"});
    EXPECT_EQ(plain.tableName, u"Lines");
    EXPECT_EQ(plain.rows, (std::vector<std::u16string>{u"1.00", u"2.50", u""}));
    EXPECT_EQ(plain.value, u"1.002.50");

    ValueData split = BuildOne(sample, {u"Amount", KFX_REL_INDEXFIELD, u"03"}, u";");
    EXPECT_EQ(split.value, u"1.00;2.50;");
    EXPECT_EQ(split.rows.size(), 3u);
}

TEST(BuildValues, TableColumnWithoutRowsAndFieldOutsideTables) {
    Sample sample = MakeSample();
    ValueData empty = BuildOne(sample, {u"Item", KFX_REL_INDEXFIELD, u"04"}, u";");
    EXPECT_EQ(empty.tableName, u"Lines");
    EXPECT_TRUE(empty.rows.empty());
    EXPECT_EQ(empty.value, u"");

    // Rows held for a field that the document class does not put in a table are not used.
    sample.document.tableColumns.push_back({u"InvoiceNo", {u"r1", u"r2"}});
    ValueData single = BuildOne(sample, {u"InvoiceNo", KFX_REL_INDEXFIELD, u"02"});
    EXPECT_EQ(single.tableName, u"");
    EXPECT_TRUE(single.rows.empty());
    EXPECT_EQ(single.value, u"A-17");
}

}  // namespace
}  // namespace zarn::host::sim
