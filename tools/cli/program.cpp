// zarnrel: the connector's logic outside the capture host: check a server's catalogue, release
// a batch and, where the reference server builds, run it or all of it in a demo.

#include "tools/cli/program.h"

#include <exception>
#include <iostream>

#include "common/module_version.h"
#include "common/utf16_text.h"
#include "tools/cli/command.h"
#include "tools/text/visible_text.h"

namespace zarn::tools {

namespace {

void PrintOverview(std::ostream& out) {
    out << "Usage: zarnrel COMMAND [OPTIONS]\n"
           "\n"
           "Commands:\n";
    for (const Command& command : AllCommands()) {
        out << "  " << command.name << std::string(12 - command.name.size(), ' ') << command.summary
            << "\n";
    }
    out << "\n"
           "'zarnrel COMMAND --help' describes a command.\n"
           "Exit codes: 0 all done, 1 the work failed, 2 bad usage or input (nothing sent).\n";
}

int Run(const std::vector<std::string>& words) {
    if (words.empty()) {
        PrintOverview(std::cerr);
        return kExitBadInput;
    }
    const std::string& first = words.front();
    if (first == "--help" || first == "-h" || first == "help") {
        if (first == "help" && words.size() > 1) {
            return Run({words[1], "--help"});
        }
        PrintOverview(std::cout);
        return kExitDone;
    }
    if (first == "--version") {
        std::cout << "zarnrel " << ToUtf8(ModuleVersionText(PlatformTexts()).value_or(u"?"))
                  << "\n";
        return kExitDone;
    }
    for (const Command& command : AllCommands()) {
        if (command.name == first) {
            return command.run(std::vector<std::string>(words.begin() + 1, words.end()));
        }
    }
    std::cerr << "zarnrel: unknown command \"" << VisibleText(first) << "\"\n";
    PrintOverview(std::cerr);
    return kExitBadInput;
}

}  // namespace

int RunProgram(const std::vector<std::string>& words) {
    try {
        return Run(words);
    } catch (const std::exception& failure) {
        std::cerr << "zarnrel: " << VisibleText(failure.what()) << std::endl;
        return kExitFailed;
    }
}

}  // namespace zarn::tools
