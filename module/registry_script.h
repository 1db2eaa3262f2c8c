#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <string_view>

namespace zarn::win32 {

enum class RegistryMode { kRegister, kUnregister };

// Runs a registry script below HKEY_CLASSES_ROOT, in the platform registrar's language: nested
// keys with `= s 'text'` default values and `val Name = s 'text'` named values; `NoRemove` keys
// stay at unregistration, `ForceRemove` keys are removed whole before they are written, every
// other key of the script is removed whole at unregistration. Each %NAME% is replaced from
// `replacements`. Answers the first registry failure, or E_INVALIDARG for a malformed script.
[[nodiscard]] HRESULT RunRegistryScript(std::string_view script,
                                        const std::map<std::wstring, std::wstring>& replacements,
                                        RegistryMode mode);

}  // namespace zarn::win32
