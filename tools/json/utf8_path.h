#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zarn::tools {

// Paths to and from the tool's UTF-8 texts. A path's narrow form is the ANSI code page on
// Windows, so neither a path made of a std::string nor path::string() would do there.
std::filesystem::path PathFromUtf8(std::string_view text);
std::string Utf8Of(const std::filesystem::path& path);

}  // namespace zarn::tools
