#include "host/sim/sim_release_setup_data.h"

#include <gtest/gtest.h>

#include "host/kfx_constants.h"
#include "host/sim/sim_host.h"

namespace zarn::host::sim {
namespace {

class SimReleaseSetupDataTest : public ::testing::Test {
  protected:
    SimReleaseSetupDataTest() {
        record->name = u"zarnRel";
        record->docClassName = u"Invoice";
        record->batchClassName = u"Invoices";
        record->userName = u"admin";
        record->password = u"pw";
        record->customProperties = {{u"serverURL", u"http://127.0.0.1:1"}};
        record->indexFields = {{u"InvoiceNo", u""}, {u"Amount", u"Lines"}};
        record->batchVariableNames = {u"Batch Name", u"First Page Original File Name"};
        data = host.MakeSetupData(record);
    }

    std::shared_ptr<ICustomProperties> Properties() {
        std::shared_ptr<ICustomProperties> properties;
        EXPECT_EQ(data->GetCustomProperties(properties), kOk);
        return properties;
    }

    std::shared_ptr<ILinks> Links() {
        std::shared_ptr<ILinks> links;
        EXPECT_EQ(data->GetLinks(links), kOk);
        return links;
    }

    SimHost host;
    std::shared_ptr<SetupRecord> record = std::make_shared<SetupRecord>();
    std::shared_ptr<IReleaseSetupData> data;
};

TEST_F(SimReleaseSetupDataTest, RecordTexts) {
    std::u16string text;
    ASSERT_EQ(data->GetDocClassName(text), kOk);
    EXPECT_EQ(text, u"Invoice");
    ASSERT_EQ(data->GetBatchClassName(text), kOk);
    EXPECT_EQ(text, u"Invoices");
    ASSERT_EQ(data->GetUser(text), kOk);
    EXPECT_EQ(text, u"admin");
    ASSERT_EQ(data->GetPassword(text), kOk);
    EXPECT_EQ(text, u"pw");
    ASSERT_EQ(data->PutName(u"renamed"), kOk);
    ASSERT_EQ(data->GetName(text), kOk);
    EXPECT_EQ(text, u"renamed");
    EXPECT_EQ(record->name, u"renamed");
}

TEST_F(SimReleaseSetupDataTest, AddOfAnExistingNameFailsAndKeepsTheValue) {
    std::shared_ptr<ICustomProperties> properties = Properties();
    EXPECT_TRUE(Failed(properties->Add(u"serverURL", u"other")));
    EXPECT_EQ(record->customProperties, (NamedTexts{{u"serverURL", u"http://127.0.0.1:1"}}));
    // Names are compared exactly: a name differing in case is another property.
    EXPECT_EQ(properties->Add(u"ServerURL", u"other"), kOk);
    EXPECT_EQ(record->customProperties.size(), 2u);
}

TEST_F(SimReleaseSetupDataTest, RemoveThenAddReplacesAProperty) {
    std::shared_ptr<ICustomProperties> properties = Properties();
    std::shared_ptr<ICustomProperty> old;
    ASSERT_EQ(properties->GetItem(u"serverURL", old), kOk);

    EXPECT_TRUE(Failed(properties->Remove(u"docTypeKeyName[00]")));
    EXPECT_EQ(properties->Remove(u"serverURL"), kOk);
    EXPECT_TRUE(Failed(properties->Remove(u"serverURL")));
    std::shared_ptr<ICustomProperty> gone;
    EXPECT_TRUE(Failed(properties->GetItem(u"serverURL", gone)));
    EXPECT_EQ(gone, nullptr);
    EXPECT_EQ(properties->Add(u"serverURL", u""), kOk);

    std::shared_ptr<ICustomProperty> current;
    ASSERT_EQ(Properties()->GetItem(u"serverURL", current), kOk);
    std::u16string value = u"unchanged";
    ASSERT_EQ(current->GetValue(value), kOk);
    EXPECT_EQ(value, u"");
    // A property fetched before keeps the value it had.
    ASSERT_EQ(old->GetValue(value), kOk);
    EXPECT_EQ(value, u"http://127.0.0.1:1");
}

TEST_F(SimReleaseSetupDataTest, LinksComeBackInTheOrderAdded) {
    std::shared_ptr<ILinks> links = Links();
    ASSERT_EQ(links->Add(u"InvoiceNo", KFX_REL_INDEXFIELD, u"03"), kOk);
    ASSERT_EQ(links->Add(u"x", KFX_REL_TEXTCONSTANT, u"00"), kOk);
    ASSERT_EQ(links->Add(u"", KFX_REL_UNDEFINED_LINK, u"docFilename"), kOk);

    std::shared_ptr<ILinks> again = Links();
    std::int32_t count = 0;
    ASSERT_EQ(again->GetCount(count), kOk);
    ASSERT_EQ(count, 3);
    std::vector<std::u16string> destinations;
    for (std::int32_t i = 1; i <= count; ++i) {
        std::shared_ptr<ILink> link;
        ASSERT_EQ(again->GetItem(i, link), kOk);
        std::u16string destination;
        ASSERT_EQ(link->GetDestination(destination), kOk);
        destinations.push_back(destination);
    }
    EXPECT_EQ(destinations, (std::vector<std::u16string>{u"03", u"00", u"docFilename"}));

    std::shared_ptr<ILink> link;
    ASSERT_EQ(again->GetItem(1, link), kOk);
    std::u16string source;
    ASSERT_EQ(link->GetSource(source), kOk);
    EXPECT_EQ(source, u"InvoiceNo");
    std::int32_t type = 7;
    ASSERT_EQ(link->GetSourceType(type), kOk);
    EXPECT_EQ(type, KFX_REL_INDEXFIELD);
    EXPECT_TRUE(Failed(again->GetItem(4, link)));
    EXPECT_TRUE(Failed(again->GetItem(0, link)));
}

TEST_F(SimReleaseSetupDataTest, RemoveAllEmptiesTheLinks) {
    record->links = {{u"a", KFX_REL_TEXTCONSTANT, u"00"}};
    std::shared_ptr<ILinks> links = Links();
    ASSERT_EQ(links->RemoveAll(), kOk);
    ASSERT_EQ(links->RemoveAll(), kOk);
    std::int32_t count = -1;
    ASSERT_EQ(links->GetCount(count), kOk);
    EXPECT_EQ(count, 0);
    ASSERT_EQ(links->Add(u"b", KFX_REL_TEXTCONSTANT, u"01"), kOk);
    EXPECT_EQ(record->links.size(), 1u);
}

TEST_F(SimReleaseSetupDataTest, IndexFieldsByPosition) {
    std::shared_ptr<IIndexFields> fields;
    ASSERT_EQ(data->GetIndexFields(fields), kOk);
    std::int32_t count = 0;
    ASSERT_EQ(fields->GetCount(count), kOk);
    EXPECT_EQ(count, 2);
    std::shared_ptr<IIndexField> field;
    ASSERT_EQ(fields->GetItem(2, field), kOk);
    std::u16string name;
    ASSERT_EQ(field->GetName(name), kOk);
    EXPECT_EQ(name, u"Amount");
    EXPECT_TRUE(Failed(fields->GetItem(3, field)));
}

TEST_F(SimReleaseSetupDataTest, BatchVariableNamesEnumerateThenEnd) {
    std::shared_ptr<INameEnumerator> names;
    ASSERT_EQ(data->GetBatchVariableNames(names), kOk);
    std::u16string name;
    ASSERT_EQ(names->Next(name), kOk);
    EXPECT_EQ(name, u"Batch Name");
    ASSERT_EQ(names->Next(name), kOk);
    EXPECT_EQ(name, u"First Page Original File Name");
    EXPECT_EQ(names->Next(name), kFalse);
    EXPECT_EQ(names->Next(name), kFalse);
    EXPECT_EQ(name, u"First Page Original File Name");
}

TEST_F(SimReleaseSetupDataTest, JournalKeepsTheOrderOfWrites) {
    std::shared_ptr<ICustomProperties> properties = Properties();
    std::shared_ptr<ILinks> links = Links();
    ASSERT_EQ(links->RemoveAll(), kOk);
    ASSERT_EQ(links->Add(u"InvoiceNo", KFX_REL_INDEXFIELD, u"03"), kOk);
    ASSERT_EQ(properties->Remove(u"serverURL"), kOk);
    EXPECT_TRUE(Failed(properties->Remove(u"serverURL")));  // not a write that took effect
    ASSERT_EQ(properties->Add(u"docTypeKeyName[00]", u"PARM01"), kOk);
    ASSERT_EQ(data->PutName(u"new"), kOk);
    ASSERT_EQ(data->Apply(), kOk);

    EXPECT_EQ(host.JournalOfWrites().Entries(),
              (std::vector<JournalEntry>{
                  {"Links.RemoveAll", {}, {}},
                  {"Links.Add", {u"InvoiceNo", u"03"}, {KFX_REL_INDEXFIELD}},
                  {"CustomProperties.Remove", {u"serverURL"}, {}},
                  {"CustomProperties.Add", {u"docTypeKeyName[00]", u"PARM01"}, {}},
                  {"ReleaseSetupData.PutName", {u"new"}, {}},
                  {"ReleaseSetupData.Apply", {}, {}},
              }));
    EXPECT_EQ(host.JournalOfWrites().Entries("CustomProperties.Add").size(), 1u);
    host.JournalOfWrites().Clear();
    EXPECT_TRUE(host.JournalOfWrites().Entries().empty());
}

}  // namespace
}  // namespace zarn::host::sim
