#pragma once

// The writes that the simulated host received, in order.

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace zarn::host::sim {

// One write, named like its operation, with its arguments in call order:
// - "ReleaseData.LogError": texts {errorMessage, codeModule}, numbers {err1, err2, err3, line}
// - "ReleaseData.SendMessage": texts {messageString}, numbers {errorNumber, infoRet}
// - "CustomProperties.Add": texts {name, value}
// - "CustomProperties.Remove": texts {name}
// - "Links.Add": texts {source, destination}, numbers {sourceType}
// - "Links.RemoveAll", "ReleaseSetupData.Apply": no arguments
// - "ReleaseSetupData.PutName": texts {name}
// Only writes that took effect are recorded; a failed call shows in the call counts only.
struct JournalEntry {
    std::string operation;
    std::vector<std::u16string> texts;
    std::vector<std::int32_t> numbers;

    bool operator==(const JournalEntry&) const = default;
};

class Journal {
  public:
    void Record(JournalEntry entry);
    std::vector<JournalEntry> Entries() const;
    // The entries of one operation, in order.
    std::vector<JournalEntry> Entries(std::string_view operation) const;
    void Clear();

  private:
    mutable std::mutex mutex_;
    std::vector<JournalEntry> entries_;
};

}  // namespace zarn::host::sim
