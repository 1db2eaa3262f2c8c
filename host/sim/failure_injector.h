#pragma once

// Tells simulated host operations to fail, and counts their calls.

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/hresult.h"
#include "host/capture_host.h"

namespace zarn::host::sim {

// Every operation of the simulated objects, named "Object.Method" ("ReleaseData.GetValues",
// "Values.GetCount", "RowValues.Item", ...). A row of a table value is a "RowValue".
std::span<const std::string_view> OperationNames();

struct FailureRule {
    std::string operation;
    HResult result = kFail;
    // 0: every call; n: only the n-th call of the operation (counted from 1 over all calls).
    std::int32_t onCall = 0;
    // Only calls with this key: the collection key of GetItem / Item, the name of
    // CustomProperties.Add / Remove, the destination of Links.Add, the position of
    // BatchVariableNames.Next.
    std::optional<CollectionKey> key;
};

class FailureInjector {
  public:
    // Adds a rule. An operation name that is not in OperationNames() throws
    // std::invalid_argument, so that a misspelt name cannot make a test pass vacuously.
    void Fail(FailureRule rule);
    void Fail(std::string_view operation, HResult result = kFail);
    // Drops every rule; call counts stay.
    void ClearRules();

    std::int32_t CallCount(std::string_view operation) const;
    std::map<std::string, std::int32_t, std::less<>> CallCounts() const;

    // Called by the simulated objects on entry: counts the call and answers the result of the
    // first matching rule. The operation then does nothing else and returns that result.
    [[nodiscard]] std::optional<HResult> Enter(std::string_view operation,
                                               const CollectionKey* key = nullptr);

  private:
    mutable std::mutex mutex_;
    std::vector<FailureRule> rules_;
    std::map<std::string, std::int32_t, std::less<>> counts_;
};

}  // namespace zarn::host::sim
