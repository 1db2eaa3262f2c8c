#include "tools/cli/command.h"

#include <iostream>

#include "tools/text/visible_text.h"

namespace zarn::tools {

void PrintError(std::string_view command, std::string_view message) {
    // The message may quote a file or the command line.
    std::cerr << "zarnrel " << command << ": " << VisibleText(message) << std::endl;
}

int UsageError(std::string_view command, std::string_view message) {
    PrintError(command, message);
    std::cerr << "Try 'zarnrel " << command << " --help'." << std::endl;
    return kExitBadInput;
}

std::optional<int> ParseCommandLine(const Command& command, const std::vector<std::string>& words,
                                    std::initializer_list<OptionRule> options,
                                    std::size_t maxPositional, Arguments& arguments) {
    std::vector<OptionRule> withHelp(options);
    withHelp.push_back({"help", false});
    std::string error;
    // Help is answered even when the rest of the line is wrong.
    for (const std::string& word : words) {
        if (word == "--") {
            break;
        }
        if (word == "--help" || word == "-h") {
            std::cout << command.help;
            return kExitDone;
        }
    }
    if (!arguments.Parse(words, withHelp, maxPositional, error)) {
        return UsageError(command.name, error);
    }
    return std::nullopt;
}

}  // namespace zarn::tools
