#pragma once

#include <string>
#include <vector>

namespace zarn::tools {

// zarnrel with the words after the program's name, as UTF-8 texts: the overview, --help,
// --version, or the command that the first word names. Returns the exit code; an exception
// that escapes a command is printed and exits with kExitFailed.
int RunProgram(const std::vector<std::string>& words);

}  // namespace zarn::tools
