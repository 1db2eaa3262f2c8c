#pragma once

#include <algorithm>
#include <string_view>
#include <vector>

namespace zarn {

// Lookups of the catalogue: a linear walk from the head of a list, the first match wins.

template <typename Record, typename Predicate>
const Record* FindFirst(const std::vector<Record>& list, Predicate wanted) {
    auto found = std::find_if(list.begin(), list.end(), wanted);
    return found == list.end() ? nullptr : &*found;
}

// By exact, case-sensitive comparison of the UTF-16 code units.
template <typename Record>
const Record* FindByName(const std::vector<Record>& list, std::u16string_view name) {
    return FindFirst(list, [&](const Record& record) { return record.name == name; });
}

}  // namespace zarn
