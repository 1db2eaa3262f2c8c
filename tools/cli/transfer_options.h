#pragma once

#include <optional>
#include <string_view>

#include "tools/cli/arguments.h"

namespace zarn::tools {

// Applies --connect-timeout and --timeout (whole seconds) to the request objects of every
// request the command sends from now on. Nothing when the command should go on; otherwise
// kExitBadInput after an error.
std::optional<int> ApplyTransferOptions(std::string_view command, const Arguments& arguments);

}  // namespace zarn::tools
