#pragma once

#include <optional>
#include <string>

namespace zarn::tools {

// The value of the process's environment variable `name` (ASCII) as UTF-8, or nothing when it
// is not set.
std::optional<std::string> EnvironmentVariable(const char* name);

}  // namespace zarn::tools
