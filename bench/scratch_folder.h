#pragma once

#include <filesystem>
#include <string_view>

namespace zarn::bench {

// A new folder for a benchmark's files, in memory where the system has such a folder (/dev/shm),
// so that the disk's write-back does not swamp what is measured; else in the temporary folder.
// Exits the program when none can be made.
std::filesystem::path MakeScratchFolder(std::string_view name);

}  // namespace zarn::bench
