#include "host/sim/journal.h"

#include <algorithm>
#include <iterator>

namespace zarn::host::sim {

void Journal::Record(JournalEntry entry) {
    std::lock_guard lock(mutex_);
    entries_.push_back(std::move(entry));
}

std::vector<JournalEntry> Journal::Entries() const {
    std::lock_guard lock(mutex_);
    return entries_;
}

std::vector<JournalEntry> Journal::Entries(std::string_view operation) const {
    std::lock_guard lock(mutex_);
    std::vector<JournalEntry> selected;
    std::copy_if(entries_.begin(), entries_.end(), std::back_inserter(selected),
                 [operation](const JournalEntry& entry) { return entry.operation == operation; });
    return selected;
}

void Journal::Clear() {
    std::lock_guard lock(mutex_);
    entries_.clear();
}

}  // namespace zarn::host::sim
