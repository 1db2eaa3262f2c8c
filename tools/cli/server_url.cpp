#include "tools/cli/server_url.h"

namespace zarn::tools {

bool IsServerUrl(const std::string& url) {
    for (const std::string scheme : {"http://", "https://"}) {
        if (url.starts_with(scheme) && url.size() > scheme.size() && url[scheme.size()] != '/') {
            return true;
        }
    }
    return false;
}

}  // namespace zarn::tools
