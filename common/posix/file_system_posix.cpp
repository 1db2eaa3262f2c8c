// POSIX file system. "No sharing" has no exact POSIX equivalent: the closest honest one is an
// exclusive advisory lock (flock), which fails while any other holder of a lock, shared or
// exclusive, has the file; a process that opens the file without locking is not seen. Paths
// arrive as the capture host writes them, so a backslash is taken as a separator.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "common/file_system.h"
#include "common/utf16_text.h"

namespace zarn {
namespace {

constexpr std::size_t kMaxPath = 260;

std::string NativePath(const std::u16string& path) {
    std::u16string native = path;
    std::replace(native.begin(), native.end(), u'\\', u'/');
    return ToUtf8(native);
}

class PosixFile final : public ReadOnlyFile {
  public:
    PosixFile(int fd, std::u16string name) : fd_(fd), name_(std::move(name)) {}
    ~PosixFile() override { ::close(fd_); }
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;

    bool Read(void* buffer, std::size_t capacity, std::size_t& count) override {
        for (;;) {
            ssize_t got = ::read(fd_, buffer, capacity);
            if (got >= 0) {
                count = static_cast<std::size_t>(got);
                return true;
            }
            if (errno != EINTR)
                return false;
        }
    }
    std::u16string Name() const override { return name_; }

  private:
    int fd_;
    std::u16string name_;
};

class PosixFileSystem final : public FileSystem {
  public:
    bool Exists(const std::u16string& path) override {
        if (path.empty() || path.size() >= kMaxPath)
            return false;
        struct stat info {};
        return ::stat(NativePath(path).c_str(), &info) == 0;
    }

    std::unique_ptr<ReadOnlyFile> OpenExclusive(const std::u16string& path) override {
        if (path.empty())
            return nullptr;
        int fd = ::open(NativePath(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return nullptr;
        struct stat info {};
        // Only regular files: a directory, FIFO or device would fail or block when read.
        if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
            ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            return nullptr;
        }
        std::u16string normalised = path;
        std::replace(normalised.begin(), normalised.end(), u'\\', u'/');
        std::size_t slash = normalised.find_last_of(u'/');
        std::u16string name = slash == std::u16string::npos ? path : path.substr(slash + 1);
        return std::make_unique<PosixFile>(fd, std::move(name));
    }
};

}  // namespace

FileSystem& PlatformFileSystem() {
    static PosixFileSystem files;
    return files;
}

}  // namespace zarn
