#include "tools/cli/command.h"

namespace zarn::tools {

const std::vector<Command>& AllCommands() {
    static const std::vector<Command> commands = {kCatalogueCommand, kReleaseCommand, kServeCommand,
                                                  kDemoCommand};
    return commands;
}

}  // namespace zarn::tools
