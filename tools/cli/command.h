#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/cli/arguments.h"

namespace zarn::tools {

// Exit codes of every command.
enum ExitCode : int {
    kExitDone = 0,      // all done
    kExitFailed = 1,    // the work failed, for example a document was not released
    kExitBadInput = 2,  // bad usage or bad input; nothing was sent
};

struct Command {
    std::string_view name;
    std::string_view summary;  // one line, for the overview
    std::string_view help;     // the whole help text of the command
    int (*run)(const std::vector<std::string>& words);
};

// The commands of this platform's build, in the order the overview lists them.
const std::vector<Command>& AllCommands();

// Parses a command's words. Nothing when the command should go on; otherwise the exit code:
// kExitDone after printing the help that --help asked for, kExitBadInput after an error.
std::optional<int> ParseCommandLine(const Command& command, const std::vector<std::string>& words,
                                    std::initializer_list<OptionRule> options,
                                    std::size_t maxPositional, Arguments& arguments);

// Prints "zarnrel COMMAND: message" to standard error and returns kExitBadInput.
int UsageError(std::string_view command, std::string_view message);

// Prints "zarnrel COMMAND: message" to standard error.
void PrintError(std::string_view command, std::string_view message);

// The tool's commands. Serve and demo run the reference server, which needs cpp-httplib and
// POSIX: only the POSIX build has them.
extern const Command kCatalogueCommand;
extern const Command kReleaseCommand;
extern const Command kServeCommand;
extern const Command kDemoCommand;
// Setup opens zarnRel.dll's setup sheet: Windows only.
extern const Command kSetupCommand;

}  // namespace zarn::tools
