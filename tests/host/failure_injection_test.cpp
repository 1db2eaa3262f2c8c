#include <gtest/gtest.h>

#include <map>
#include <set>
#include <stdexcept>
#include <string>

#include "host/kfx_constants.h"
#include "host/sim/sim_host.h"

namespace zarn::host::sim {
namespace {

constexpr HResult kInjected = MakeHResult(0x80041234u);

using Results = std::map<std::string, HResult>;

std::shared_ptr<SetupRecord> FullRecord() {
    auto record = std::make_shared<SetupRecord>();
    record->indexFields = {{u"Amount", u"Lines"}};
    record->links = {{u"Amount", KFX_REL_INDEXFIELD, u"03"}};
    record->customProperties = {{u"docStore", u"Invoices"}};
    record->batchVariableNames = {u"Batch Name"};
    return record;
}

Document FullDocument() {
    Document document;
    document.tableColumns = {{u"Amount", {u"1.00"}}};
    document.imageFiles = {u"/img/p1.tif"};
    return document;
}

void CallCustomProperties(ICustomProperties& properties, Results& results) {
    std::shared_ptr<ICustomProperty> property;
    results["CustomProperties.GetItem"] = properties.GetItem(u"docStore", property);
    if (property) {
        std::u16string text;
        results["CustomProperty.GetValue"] = property->GetValue(text);
    }
    results["CustomProperties.Add"] = properties.Add(u"added", u"1");
    results["CustomProperties.Remove"] = properties.Remove(u"added");
}

void CallValue(IValue& value, const std::string& kind, Results& results) {
    std::u16string text;
    std::int32_t number = 0;
    results[kind + ".GetDestination"] = value.GetDestination(text);
    results[kind + ".GetValue"] = value.GetValue(text);
    results[kind + ".GetSourceType"] = value.GetSourceType(number);
    results[kind + ".GetSourceName"] = value.GetSourceName(text);
    results[kind + ".GetTableName"] = value.GetTableName(text);
    std::shared_ptr<IRowValues> rows;
    results[kind + ".GetRowValues"] = value.GetRowValues(rows);
    if (rows && kind == "Value") {
        results["RowValues.Count"] = rows->Count(number);
        std::shared_ptr<IValue> row;
        results["RowValues.Item"] = rows->Item(1, row);
        if (row) {
            CallValue(*row, "RowValue", results);
        }
    }
}

void CallReleaseData(IReleaseData& data, Results& results) {
    std::u16string text;
    std::int32_t number = 0;
    results["ReleaseData.LogError"] = data.LogError(1, 0, 0, u"m", u"releaseScript", 1);
    results["ReleaseData.SendMessage"] = data.SendDocumentMessage(u"m", 1, KFX_REL_DOC_ERROR);
    results["ReleaseData.GetUserName"] = data.GetUser(text);
    results["ReleaseData.GetPassword"] = data.GetPassword(text);
    results["ReleaseData.GetKofaxPDFFileName"] = data.GetKofaxPDFFileName(text);
    results["ReleaseData.GetRowSeparator"] = data.GetRowSeparator(text);

    std::shared_ptr<ICustomProperties> properties;
    results["ReleaseData.GetCustomProperties"] = data.GetCustomProperties(properties);
    std::shared_ptr<IValues> values;
    results["ReleaseData.GetValues"] = data.GetValues(values);
    if (values) {
        results["Values.GetCount"] = values->GetCount(number);
        std::shared_ptr<IValue> value;
        results["Values.GetItem"] = values->GetItem(1, value);
        if (value) {
            CallValue(*value, "Value", results);
        }
    }
    std::shared_ptr<IImageFiles> files;
    results["ReleaseData.GetImageFiles"] = data.GetImageFiles(files);
    if (files) {
        results["ImageFiles.GetCount"] = files->GetCount(number);
        results["ImageFiles.GetContainsNonImageFile"] = files->GetContainsNonImageFile(number);
        std::shared_ptr<IImageFile> file;
        results["ImageFiles.GetItem"] = files->GetItem(1, file);
        if (file) {
            results["ImageFile.GetFileName"] = file->GetFileName(text);
        }
    }
}

void CallSetupData(IReleaseSetupData& data, Results& results) {
    std::u16string text;
    std::int32_t number = 0;
    results["ReleaseSetupData.GetDocClassName"] = data.GetDocClassName(text);
    results["ReleaseSetupData.GetBatchClassName"] = data.GetBatchClassName(text);
    results["ReleaseSetupData.GetUserName"] = data.GetUser(text);
    results["ReleaseSetupData.GetPassword"] = data.GetPassword(text);
    results["ReleaseSetupData.GetName"] = data.GetName(text);
    results["ReleaseSetupData.PutName"] = data.PutName(u"name");
    results["ReleaseSetupData.Apply"] = data.Apply();

    std::shared_ptr<ICustomProperties> properties;
    results["ReleaseSetupData.GetCustomProperties"] = data.GetCustomProperties(properties);
    if (properties) {
        CallCustomProperties(*properties, results);
    }
    std::shared_ptr<ILinks> links;
    results["ReleaseSetupData.GetLinks"] = data.GetLinks(links);
    if (links) {
        results["Links.GetCount"] = links->GetCount(number);
        std::shared_ptr<ILink> link;
        results["Links.GetItem"] = links->GetItem(1, link);
        if (link) {
            results["Link.GetSource"] = link->GetSource(text);
            results["Link.GetSourceType"] = link->GetSourceType(number);
            results["Link.GetDestination"] = link->GetDestination(text);
        }
    }
    std::shared_ptr<IIndexFields> fields;
    results["ReleaseSetupData.GetIndexFields"] = data.GetIndexFields(fields);
    if (fields) {
        results["IndexFields.GetCount"] = fields->GetCount(number);
        std::shared_ptr<IIndexField> field;
        results["IndexFields.GetItem"] = fields->GetItem(1, field);
        if (field) {
            results["IndexField.GetName"] = field->GetName(text);
        }
    }
    std::shared_ptr<INameEnumerator> names;
    results["ReleaseSetupData.GetBatchVariableNames"] = data.GetBatchVariableNames(names);
    if (names) {
        results["BatchVariableNames.Next"] = names->Next(text);
    }
}

// Calls every operation of both host objects once (the links last, since RemoveAll and Add
// change what the release side builds from).
Results CallEveryOperation(const SimHost& host) {
    Results results;
    std::shared_ptr<SetupRecord> record = FullRecord();
    CallReleaseData(*host.MakeReleaseData(record, {}, FullDocument()), results);
    CallSetupData(*host.MakeSetupData(record), results);
    std::shared_ptr<ILinks> links;
    if (Succeeded(host.MakeSetupData(record)->GetLinks(links))) {
        results["Links.Add"] = links->Add(u"x", KFX_REL_TEXTCONSTANT, u"00");
        results["Links.RemoveAll"] = links->RemoveAll();
    }
    return results;
}

TEST(FailureInjection, EveryOperationIsListedAndCounted) {
    SimHost host;
    Results results = CallEveryOperation(host);
    std::set<std::string> listed(OperationNames().begin(), OperationNames().end());
    EXPECT_EQ(listed.size(), OperationNames().size());

    std::set<std::string> called;
    for (const auto& [operation, result] : results) {
        EXPECT_EQ(result, kOk) << operation;
        called.insert(operation);
    }
    EXPECT_EQ(called, listed);

    std::set<std::string> counted;
    for (const auto& [operation, count] : host.Failures().CallCounts()) {
        counted.insert(operation);
    }
    EXPECT_EQ(counted, listed);
}

TEST(FailureInjection, EachOperationFailsAloneWithTheChosenResult) {
    for (std::string_view operation : OperationNames()) {
        SimHost host;
        host.Failures().Fail(operation, kInjected);
        Results results = CallEveryOperation(host);
        for (const auto& [called, result] : results) {
            EXPECT_EQ(result == kInjected, called == operation) << operation << " / " << called;
        }
        EXPECT_EQ(results.count(std::string(operation)), 1u) << operation;
    }
}

TEST(FailureInjection, FailedOperationWritesNothing) {
    SimHost host;
    auto record = FullRecord();
    auto data = host.MakeSetupData(record);
    host.Failures().Fail("CustomProperties.Add");
    host.Failures().Fail("Links.RemoveAll");
    host.Failures().Fail("ReleaseSetupData.GetDocClassName");

    std::shared_ptr<ICustomProperties> properties;
    ASSERT_EQ(data->GetCustomProperties(properties), kOk);
    EXPECT_EQ(properties->Add(u"new", u"1"), kFail);
    std::shared_ptr<ILinks> links;
    ASSERT_EQ(data->GetLinks(links), kOk);
    EXPECT_EQ(links->RemoveAll(), kFail);
    std::u16string text = u"unchanged";
    EXPECT_EQ(data->GetDocClassName(text), kFail);

    EXPECT_EQ(text, u"unchanged");
    EXPECT_EQ(record->customProperties.size(), 1u);
    EXPECT_EQ(record->links.size(), 1u);
    EXPECT_TRUE(host.JournalOfWrites().Entries().empty());
    EXPECT_EQ(host.Failures().CallCount("CustomProperties.Add"), 1);
}

TEST(FailureInjection, OnlyTheNthCallFails) {
    SimHost host;
    auto data = host.MakeReleaseData(FullRecord(), {}, FullDocument());
    host.Failures().Fail({"ReleaseData.GetValues", kInjected, 2, std::nullopt});
    std::shared_ptr<IValues> values;
    EXPECT_EQ(data->GetValues(values), kOk);
    values.reset();
    EXPECT_EQ(data->GetValues(values), kInjected);
    EXPECT_EQ(values, nullptr);
    EXPECT_EQ(data->GetValues(values), kOk);
    EXPECT_EQ(host.Failures().CallCount("ReleaseData.GetValues"), 3);
}

TEST(FailureInjection, OnlyCallsWithTheKeyFail) {
    SimHost host;
    auto record = FullRecord();
    record->links.push_back({u"x", KFX_REL_TEXTCONSTANT, u"docStoreName"});
    auto data = host.MakeReleaseData(record, {}, FullDocument());
    host.Failures().Fail({"Values.GetItem", kInjected, 0, CollectionKey(2)});
    host.Failures().Fail({"CustomProperties.GetItem", kInjected, 0, CollectionKey(u"docStore")});

    std::shared_ptr<IValues> values;
    ASSERT_EQ(data->GetValues(values), kOk);
    std::shared_ptr<IValue> value;
    EXPECT_EQ(values->GetItem(1, value), kOk);
    EXPECT_EQ(values->GetItem(2, value), kInjected);
    // The same member by its destination is another key.
    EXPECT_EQ(values->GetItem(std::u16string(u"docStoreName"), value), kOk);

    std::shared_ptr<ICustomProperties> properties;
    ASSERT_EQ(data->GetCustomProperties(properties), kOk);
    std::shared_ptr<ICustomProperty> property;
    EXPECT_EQ(properties->GetItem(u"docStore", property), kInjected);
    EXPECT_EQ(properties->GetItem(u"other", property), kBadIndex);
}

TEST(FailureInjection, NthCallAndKeyMustBothMatch) {
    SimHost host;
    auto record = FullRecord();
    auto links = std::shared_ptr<ILinks>();
    ASSERT_EQ(host.MakeSetupData(record)->GetLinks(links), kOk);
    host.Failures().Fail({"Links.Add", kInjected, 2, CollectionKey(u"01")});
    EXPECT_EQ(links->Add(u"a", KFX_REL_TEXTCONSTANT, u"01"), kOk);  // first call
    EXPECT_EQ(links->Add(u"b", KFX_REL_TEXTCONSTANT, u"01"), kInjected);
    EXPECT_EQ(links->Add(u"c", KFX_REL_TEXTCONSTANT, u"01"), kOk);  // third call
    EXPECT_EQ(host.JournalOfWrites().Entries("Links.Add").size(), 2u);
    EXPECT_EQ(record->links.back().source, u"c");
}

TEST(FailureInjection, InjectedSuccessCodeEndsTheEnumeration) {
    SimHost host;
    auto record = FullRecord();
    record->batchVariableNames = {u"a", u"b", u"c"};
    host.Failures().Fail({"BatchVariableNames.Next", kFalse, 0, CollectionKey(2)});
    std::shared_ptr<INameEnumerator> names;
    ASSERT_EQ(host.MakeSetupData(record)->GetBatchVariableNames(names), kOk);
    std::u16string name;
    EXPECT_EQ(names->Next(name), kOk);
    EXPECT_EQ(names->Next(name), kFalse);
    EXPECT_EQ(name, u"a");
}

TEST(FailureInjection, RulesCanBeClearedAndNamesAreChecked) {
    SimHost host;
    auto data = host.MakeSetupData(FullRecord());
    host.Failures().Fail("ReleaseSetupData.Apply");
    EXPECT_EQ(data->Apply(), kFail);
    host.Failures().ClearRules();
    EXPECT_EQ(data->Apply(), kOk);
    EXPECT_EQ(host.Failures().CallCount("ReleaseSetupData.Apply"), 2);
    EXPECT_EQ(host.Failures().CallCount("ReleaseSetupData.GetName"), 0);
    EXPECT_THROW(host.Failures().Fail("ReleaseSetupData.apply"), std::invalid_argument);
}

}  // namespace
}  // namespace zarn::host::sim
