#include "tools/cli/credentials.h"

#include "tools/cli/environment.h"

namespace zarn::tools {

std::string PasswordOf(const Arguments& arguments) {
    if (std::optional<std::string> password = arguments.Value("password")) {
        return *password;
    }
    return EnvironmentVariable(kPasswordVariable).value_or("");
}

}  // namespace zarn::tools
