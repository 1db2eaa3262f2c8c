#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/hresult.h"

namespace zarn {

// The texts seam: the module's string table, the platform's message formatter, system error
// texts and the module's version. No method shares its name with a Win32 macro (LoadString,
// FormatMessage), so that <windows.h> cannot rename one.
class Texts {
  public:
    virtual ~Texts() = default;

    // The string of the module's string table with that id, or nothing.
    [[nodiscard]] virtual std::optional<std::u16string> StringResource(std::uint32_t id) = 0;

    // Formats a message template: %1 … %99 take the inserts, which are never scanned again.
    virtual std::u16string FormatMessageText(const std::u16string& messageTemplate,
                                             const std::vector<std::u16string>& inserts) = 0;

    // The system's text for a result code, or nothing when the system has none.
    [[nodiscard]] virtual std::optional<std::u16string> SystemErrorText(HResult code) = 0;

    // The product version of the module file: major, minor, build, revision.
    [[nodiscard]] virtual std::optional<std::vector<std::uint16_t>> ModuleProductVersion() = 0;
};

Texts& PlatformTexts();

}  // namespace zarn
