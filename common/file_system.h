#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace zarn {

// A file opened read-only with no sharing.
class ReadOnlyFile {
  public:
    virtual ~ReadOnlyFile() = default;

    // Reads up to `capacity` bytes; `count` 0 means the end of the file. False on a read error.
    [[nodiscard]] virtual bool Read(void* buffer, std::size_t capacity, std::size_t& count) = 0;

    // The name of the opened file: the last component of its path.
    virtual std::u16string Name() const = 0;
};

// The file-system seam.
class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // True when the path's attributes can be read and it is shorter than the platform's path
    // limit of 260 characters.
    [[nodiscard]] virtual bool Exists(const std::u16string& path) = 0;

    // Opens an existing file for reading only, with no sharing; null when that fails.
    [[nodiscard]] virtual std::unique_ptr<ReadOnlyFile> OpenExclusive(
        const std::u16string& path) = 0;
};

// The platform's file system.
FileSystem& PlatformFileSystem();

}  // namespace zarn
