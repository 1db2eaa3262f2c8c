#include "host/sim/failure_injector.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace zarn::host::sim {

namespace {

constexpr std::array<std::string_view, 55> kOperationNames = {
    "ReleaseData.LogError",
    "ReleaseData.GetUserName",
    "ReleaseData.GetPassword",
    "ReleaseData.GetCustomProperties",
    "ReleaseData.GetValues",
    "ReleaseData.GetImageFiles",
    "ReleaseData.SendMessage",
    "ReleaseData.GetKofaxPDFFileName",
    "ReleaseData.GetRowSeparator",
    "ReleaseSetupData.GetDocClassName",
    "ReleaseSetupData.GetBatchClassName",
    "ReleaseSetupData.GetUserName",
    "ReleaseSetupData.GetPassword",
    "ReleaseSetupData.GetCustomProperties",
    "ReleaseSetupData.GetLinks",
    "ReleaseSetupData.GetIndexFields",
    "ReleaseSetupData.GetBatchVariableNames",
    "ReleaseSetupData.Apply",
    "ReleaseSetupData.GetName",
    "ReleaseSetupData.PutName",
    "CustomProperties.GetItem",
    "CustomProperties.Add",
    "CustomProperties.Remove",
    "CustomProperty.GetValue",
    "Values.GetItem",
    "Values.GetCount",
    "Value.GetDestination",
    "Value.GetValue",
    "Value.GetSourceType",
    "Value.GetSourceName",
    "Value.GetTableName",
    "Value.GetRowValues",
    "RowValues.Item",
    "RowValues.Count",
    "RowValue.GetDestination",
    "RowValue.GetValue",
    "RowValue.GetSourceType",
    "RowValue.GetSourceName",
    "RowValue.GetTableName",
    "RowValue.GetRowValues",
    "ImageFiles.GetItem",
    "ImageFiles.GetCount",
    "ImageFiles.GetContainsNonImageFile",
    "ImageFile.GetFileName",
    "Links.GetItem",
    "Links.GetCount",
    "Links.Add",
    "Links.RemoveAll",
    "Link.GetSource",
    "Link.GetSourceType",
    "Link.GetDestination",
    "IndexFields.GetItem",
    "IndexFields.GetCount",
    "IndexField.GetName",
    "BatchVariableNames.Next",
};

}  // namespace

std::span<const std::string_view> OperationNames() {
    return kOperationNames;
}

void FailureInjector::Fail(FailureRule rule) {
    if (std::find(kOperationNames.begin(), kOperationNames.end(), rule.operation) ==
        kOperationNames.end()) {
        throw std::invalid_argument("unknown host operation: " + rule.operation);
    }
    std::lock_guard lock(mutex_);
    rules_.push_back(std::move(rule));
}

void FailureInjector::Fail(std::string_view operation, HResult result) {
    Fail(FailureRule{std::string(operation), result, 0, std::nullopt});
}

void FailureInjector::ClearRules() {
    std::lock_guard lock(mutex_);
    rules_.clear();
}

std::int32_t FailureInjector::CallCount(std::string_view operation) const {
    std::lock_guard lock(mutex_);
    auto found = counts_.find(operation);
    return found == counts_.end() ? 0 : found->second;
}

std::map<std::string, std::int32_t, std::less<>> FailureInjector::CallCounts() const {
    std::lock_guard lock(mutex_);
    return counts_;
}

std::optional<HResult> FailureInjector::Enter(std::string_view operation,
                                              const CollectionKey* key) {
    std::lock_guard lock(mutex_);
    // Found without making a text: every call of every operation comes through here.
    auto counted = counts_.find(operation);
    if (counted == counts_.end()) {
        counted = counts_.emplace(std::string(operation), 0).first;
    }
    std::int32_t call = ++counted->second;
    for (const FailureRule& rule : rules_) {
        if (rule.operation != operation) {
            continue;
        }
        if (rule.onCall != 0 && rule.onCall != call) {
            continue;
        }
        if (rule.key && (key == nullptr || *rule.key != *key)) {
            continue;
        }
        return rule.result;
    }
    return std::nullopt;
}

}  // namespace zarn::host::sim
