// Win32 file system: an existence test by the path's attributes, and files opened read-only with
// share mode 0, so that no other process can write (or even open) the file while it is read.

#include <windows.h>

#include "common/file_system.h"
#include "common/win32/bstr.h"

namespace zarn {
namespace {

constexpr std::size_t kMaxPath = MAX_PATH;

class Win32File final : public ReadOnlyFile {
  public:
    Win32File(HANDLE handle, std::u16string name) : handle_(handle), name_(std::move(name)) {}
    ~Win32File() override { ::CloseHandle(handle_); }
    Win32File(const Win32File&) = delete;
    Win32File& operator=(const Win32File&) = delete;

    bool Read(void* buffer, std::size_t capacity, std::size_t& count) override {
        const DWORD asked = capacity > MAXDWORD ? MAXDWORD : static_cast<DWORD>(capacity);
        DWORD got = 0;
        if (!::ReadFile(handle_, buffer, asked, &got, nullptr))
            return false;
        count = got;
        return true;
    }
    std::u16string Name() const override { return name_; }

  private:
    HANDLE handle_;
    std::u16string name_;
};

class Win32FileSystem final : public FileSystem {
  public:
    bool Exists(const std::u16string& path) override {
        return !path.empty() && path.size() < kMaxPath &&
               ::GetFileAttributesW(win32::Wide(path)) != INVALID_FILE_ATTRIBUTES;
    }

    std::unique_ptr<ReadOnlyFile> OpenExclusive(const std::u16string& path) override {
        if (path.empty() || path.find(u'\0') != std::u16string::npos)
            return nullptr;
        HANDLE handle = ::CreateFileW(win32::Wide(path), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return nullptr;
        // Only files on disk: a console, pipe or device would block or never end when read.
        if (::GetFileType(handle) != FILE_TYPE_DISK) {
            ::CloseHandle(handle);
            return nullptr;
        }
        const std::size_t separator = path.find_last_of(u"\\/");
        std::u16string name = separator == std::u16string::npos ? path : path.substr(separator + 1);
        return std::make_unique<Win32File>(handle, std::move(name));
    }
};

}  // namespace

FileSystem& PlatformFileSystem() {
    static Win32FileSystem files;
    return files;
}

}  // namespace zarn
