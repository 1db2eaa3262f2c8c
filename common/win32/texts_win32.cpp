// Win32 texts: the module's string resources and version resource, the platform's message
// formatter, and the system's message table for result codes.

#include <windows.h>

#include <array>
#include <new>

#include "common/texts.h"
#include "common/win32/bstr.h"
#include "common/win32/module_instance.h"

namespace zarn {
namespace {

// FormatMessageW reads as many inserts as the template names (up to 99), so it always gets 99.
constexpr std::size_t kMaxInserts = 99;
constexpr DWORD kWinInetFirst = 12000;
constexpr DWORD kWinInetLast = 12999;

// A text that FormatMessageW allocated with LocalAlloc.
class LocalText {
  public:
    ~LocalText() { ::LocalFree(text_); }
    LPWSTR* Receive() { return &text_; }
    std::u16string Take(DWORD length) const {
        return std::u16string(reinterpret_cast<const char16_t*>(text_), length);
    }

  private:
    LPWSTR text_ = nullptr;
};

std::optional<std::u16string> MessageTableText(DWORD flags, LPCVOID source, HResult code) {
    LocalText text;
    const DWORD length = ::FormatMessageW(
        flags | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS, source,
        static_cast<DWORD>(code), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
        reinterpret_cast<LPWSTR>(text.Receive()), 0, nullptr);
    if (length == 0)
        return std::nullopt;
    return text.Take(length);
}

// One line of a template with its inserts.
std::u16string FormatLine(const std::u16string& line,
                          std::array<DWORD_PTR, kMaxInserts>& arguments) {
    if (line.empty())
        return {};
    LocalText text;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY | FORMAT_MESSAGE_ALLOCATE_BUFFER,
        win32::Wide(line), 0, 0, reinterpret_cast<LPWSTR>(text.Receive()), 0,
        reinterpret_cast<va_list*>(arguments.data()));
    if (length == 0) {
        // An empty result is a success too; anything else is the formatter out of memory.
        if (::GetLastError() == ERROR_SUCCESS)
            return {};
        throw std::bad_alloc();
    }
    return text.Take(length);
}

class Win32Texts final : public Texts {
  public:
    std::optional<std::u16string> StringResource(std::uint32_t id) override {
        const wchar_t* text = nullptr;
        // With a zero buffer size LoadStringW hands out the resource's own text and length.
        const int length =
            ::LoadStringW(win32::ModuleInstance(), id, reinterpret_cast<LPWSTR>(&text), 0);
        if (length <= 0 || !text)
            return std::nullopt;
        return std::u16string(reinterpret_cast<const char16_t*>(text),
                              static_cast<std::size_t>(length));
    }

    // Line by line: Wine's formatter writes a template's line feed as CR LF, where Windows keeps
    // it as it stands; inserts are copied unchanged by both.
    std::u16string FormatMessageText(const std::u16string& messageTemplate,
                                     const std::vector<std::u16string>& inserts) override {
        std::array<DWORD_PTR, kMaxInserts> arguments{};
        for (std::size_t i = 0; i < arguments.size(); ++i) {
            arguments[i] =
                reinterpret_cast<DWORD_PTR>(i < inserts.size() ? win32::Wide(inserts[i]) : L"");
        }
        std::u16string result;
        for (std::size_t start = 0;;) {
            const std::size_t end = messageTemplate.find(u'\n', start);
            result += FormatLine(messageTemplate.substr(start, end - start), arguments);
            if (end == std::u16string::npos)
                return result;
            result += u'\n';
            start = end + 1;
        }
    }

    std::optional<std::u16string> SystemErrorText(HResult code) override {
        if (auto text = MessageTableText(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code))
            return text;
        // The request object's transport codes (WinINet errors 12000 to 12999 as results) have
        // their texts in WinINet's table, loaded by the request object that reported one.
        const DWORD error = static_cast<DWORD>(HRESULT_CODE(code));
        HMODULE wininet = ::GetModuleHandleW(L"wininet.dll");
        if (!wininet || HRESULT_FACILITY(code) != FACILITY_WIN32 || error < kWinInetFirst ||
            error > kWinInetLast) {
            return std::nullopt;
        }
        return MessageTableText(FORMAT_MESSAGE_FROM_HMODULE, wininet, static_cast<HResult>(error));
    }

    std::optional<std::vector<std::uint16_t>> ModuleProductVersion() override {
        const HINSTANCE module = win32::ModuleInstance();
        HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
        HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
        const void* data = loaded ? ::LockResource(loaded) : nullptr;
        if (!data)
            return std::nullopt;
        // VerQueryValueW may write into the block it reads, so it gets a copy.
        std::vector<unsigned char> block(
            static_cast<const unsigned char*>(data),
            static_cast<const unsigned char*>(data) + ::SizeofResource(module, found));
        VS_FIXEDFILEINFO* info = nullptr;
        UINT size = 0;
        if (!::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &size) ||
            size < sizeof(VS_FIXEDFILEINFO)) {
            return std::nullopt;
        }
        return std::vector<std::uint16_t>{
            HIWORD(info->dwProductVersionMS), LOWORD(info->dwProductVersionMS),
            HIWORD(info->dwProductVersionLS), LOWORD(info->dwProductVersionLS)};
    }
};

}  // namespace

Texts& PlatformTexts() {
    static Win32Texts texts;
    return texts;
}

}  // namespace zarn
