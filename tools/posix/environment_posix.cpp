#include <cstdlib>

#include "tools/cli/environment.h"

namespace zarn::tools {

// The environment holds the system's own texts, which are taken as UTF-8.
std::optional<std::string> EnvironmentVariable(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr) {
        return std::nullopt;
    }
    return std::string(value);
}

}  // namespace zarn::tools
