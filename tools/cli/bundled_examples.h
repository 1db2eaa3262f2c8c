#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zarn::tools {

// The files of examples/, compiled into the program so that the demo and the server's default
// catalogue need nothing but the build.
struct BundledFile {
    std::string_view path;  // relative to examples/
    std::string_view content;
};

const std::vector<BundledFile>& BundledExamples();

inline constexpr char kSampleCatalogue[] = "catalogue.json";
inline constexpr char kSampleBatch[] = "batch.json";

// The content of a bundled file; empty when there is none of that path.
std::string_view BundledExample(std::string_view path);

// Writes every bundled file below `folder`; false with an error text when one cannot be
// written.
bool WriteBundledExamples(const std::filesystem::path& folder, std::string& error);

}  // namespace zarn::tools
