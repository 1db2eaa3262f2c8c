#include "tools/cli/command.h"

namespace zarn::tools {

// The reference server does not build for Windows, and with it go serve and demo; setup shows
// zarnRel.dll's own windows.
const std::vector<Command>& AllCommands() {
    static const std::vector<Command> commands = {kCatalogueCommand, kReleaseCommand,
                                                  kSetupCommand};
    return commands;
}

}  // namespace zarn::tools
