// The environment's UTF-16 texts, read with the wide-character call: the narrow one would hand
// them over in the ANSI code page.

#include <windows.h>

#include "common/utf16_text.h"
#include "common/win32/bstr.h"
#include "tools/cli/environment.h"

namespace zarn::tools {

std::optional<std::string> EnvironmentVariable(const char* name) {
    const std::wstring wideName(name, name + std::char_traits<char>::length(name));
    // Asked with no buffer, the call gives the size that the value and its terminating zero
    // need (1 for a variable set to nothing), or 0 when there is no such variable.
    const DWORD needed = ::GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (needed == 0) {
        return std::nullopt;
    }
    std::wstring value(needed, L'\0');
    const DWORD length = ::GetEnvironmentVariableW(wideName.c_str(), value.data(), needed);
    value.resize(length < needed ? length : 0);
    return ToUtf8(win32::Utf16(value));
}

}  // namespace zarn::tools
