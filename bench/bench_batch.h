#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace zarn::bench {

// The catalogue fixture that the server of the batch benchmark serves: store "Bench" with the
// document type "Letter", whose keys are required but not unique, so that every run stores
// every document.
extern const char kBenchCatalogue[];

// A batch on disk: its documents, the batch file that `zarnrel release` reads and a curl
// config that posts the same forms, one after another.
struct BenchBatch {
    std::filesystem::path batchFile;
    std::filesystem::path curlConfig;
    std::uintmax_t batchFileBytes = 0;
};

// Writes `documents` text documents of `documentBytes` each below `folder`, released to store
// "Bench" at `serverUrl`.
BenchBatch WriteBenchBatch(const std::filesystem::path& folder, int documents,
                           std::size_t documentBytes, const std::string& serverUrl);

}  // namespace zarn::bench
