#pragma once

#include <optional>
#include <string>

#include "tools/cli/arguments.h"

namespace zarn::tools {

// Environment variable that holds a password, so that it need not appear on a command line.
inline constexpr char kPasswordVariable[] = "ZARNREL_PASSWORD";

// The password from --password, else from ZARNREL_PASSWORD, else empty.
std::string PasswordOf(const Arguments& arguments);

}  // namespace zarn::tools
