#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/file_system.h"

namespace zarn::test {

// Files held in memory; every existence check is recorded. A file can be told to fail its
// reads after a number of chunks.
class MemoryFileSystem : public FileSystem {
  public:
    struct File {
        std::string content;
        int failAfterReads = -1;  // -1: never fails
    };

    bool Exists(const std::u16string& path) override;
    std::unique_ptr<ReadOnlyFile> OpenExclusive(const std::u16string& path) override;

    std::map<std::u16string, File> files;
    std::vector<std::u16string> checkedPaths;  // of every Exists, in order
};

}  // namespace zarn::test
