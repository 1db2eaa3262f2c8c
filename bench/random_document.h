#pragma once

#include <cstdint>
#include <filesystem>

namespace zarn::bench {

// Writes `megabytes` MB of repeatable pseudo-random bytes, which no transfer can compress.
void WriteRandomDocument(const std::filesystem::path& path, std::uint64_t megabytes);

}  // namespace zarn::bench
