#pragma once

// State that all objects of one simulated host share, and the helpers that every simulated
// operation goes through.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "common/hresult.h"
#include "host/capture_host.h"
#include "host/sim/failure_injector.h"
#include "host/sim/journal.h"

namespace zarn::host::sim {

struct SimContext {
    FailureInjector failures;
    Journal journal;
};

// A read: the injected result, or kOk with `out` set to `value`.
template <class T>
[[nodiscard]] HResult Answer(SimContext& context, std::string_view operation, const T& value,
                             T& out) {
    if (std::optional<HResult> injected = context.failures.Enter(operation)) {
        return *injected;
    }
    out = value;
    return kOk;
}

// A write: the injected result, or the result of `apply`; journaled when it succeeded.
template <class Apply>
[[nodiscard]] HResult Write(SimContext& context, JournalEntry entry, const CollectionKey* key,
                            Apply apply) {
    if (std::optional<HResult> injected = context.failures.Enter(entry.operation, key)) {
        return *injected;
    }
    HResult result = apply();
    if (Succeeded(result)) {
        context.journal.Record(std::move(entry));
    }
    return result;
}

// The index of the member that a key names: position 1 to size, or the first member whose name
// (`nameOf`: a member pointer or a function) equals the key's text.
template <class Members, class NameOf>
[[nodiscard]] std::optional<std::size_t> FindMember(const CollectionKey& key,
                                                    const Members& members, NameOf nameOf) {
    if (const auto* position = std::get_if<std::int32_t>(&key)) {
        if (*position < 1 || static_cast<std::size_t>(*position) > members.size()) {
            return std::nullopt;
        }
        return static_cast<std::size_t>(*position - 1);
    }
    const std::u16string& name = std::get<std::u16string>(key);
    for (std::size_t i = 0; i < members.size(); ++i) {
        if (std::invoke(nameOf, members[i]) == name) {
            return i;
        }
    }
    return std::nullopt;
}

// A keyed fetch: the injected result, kBadIndex when no member matches, else kOk with `out` set
// to make(index of the member).
template <class Out, class Members, class NameOf, class Make>
[[nodiscard]] HResult Fetch(SimContext& context, std::string_view operation,
                            const CollectionKey& key, const Members& members, NameOf nameOf,
                            Out& out, Make make) {
    if (std::optional<HResult> injected = context.failures.Enter(operation, &key)) {
        return *injected;
    }
    std::optional<std::size_t> index = FindMember(key, members, nameOf);
    if (!index) {
        return kBadIndex;
    }
    out = make(*index);
    return kOk;
}

}  // namespace zarn::host::sim
