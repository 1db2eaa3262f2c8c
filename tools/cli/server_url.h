#pragma once

#include <string>

namespace zarn::tools {

// True for a URL that the tool can send to: http:// or https:// followed by a host.
bool IsServerUrl(const std::string& url);

}  // namespace zarn::tools
