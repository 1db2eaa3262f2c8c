#include "tools/cli/transfer_options.h"

#include <charconv>
#include <string>

#include "tools/cli/command.h"
#include "tools/cli/console_services.h"

namespace zarn::tools {

namespace {

constexpr int kMaxSeconds = 86400;

// False with an error text when the option is given with anything but a number of seconds.
bool ReadSeconds(const Arguments& arguments, std::string_view name, std::chrono::seconds& limit,
                 std::string& error) {
    const std::optional<std::string> text = arguments.Value(name);
    if (!text) {
        return true;
    }
    int seconds = 0;
    const char* end = text->data() + text->size();
    const auto [stop, failure] = std::from_chars(text->data(), end, seconds);
    if (failure != std::errc() || stop != end || seconds < 1 || seconds > kMaxSeconds) {
        error = "--" + std::string(name) + " needs a number of seconds from 1 to " +
                std::to_string(kMaxSeconds) + ", not \"" + *text + "\"";
        return false;
    }
    limit = std::chrono::seconds(seconds);
    return true;
}

}  // namespace

std::optional<int> ApplyTransferOptions(std::string_view command, const Arguments& arguments) {
    TransferLimits limits;
    std::string error;
    if (!ReadSeconds(arguments, "connect-timeout", limits.connectTimeout, error) ||
        !ReadSeconds(arguments, "timeout", limits.timeout, error)) {
        return UsageError(command, error);
    }
    const bool given = arguments.Has("connect-timeout") || arguments.Has("timeout");
    if (given && !ConsoleServices::SetTransferLimits(limits)) {
        return UsageError(command,
                          "--connect-timeout and --timeout are not available here: the "
                          "platform's request object takes no time limits");
    }
    return std::nullopt;
}

}  // namespace zarn::tools
