#include "tools/cli/credentials.h"

#include <cstdlib>

namespace zarn::tools {

std::string PasswordOf(const Arguments& arguments) {
    if (std::optional<std::string> password = arguments.Value("password")) {
        return *password;
    }
    const char* variable = std::getenv(kPasswordVariable);
    return variable != nullptr ? variable : "";
}

}  // namespace zarn::tools
