#pragma once

#include <string>
#include <string_view>

namespace zarn::docstore {

// Whether an Authorization header's value carries these Basic credentials: the scheme "Basic"
// in any letter case (HTTP compares schemes without case), one or more spaces, then
// "user:password" in base64.
bool CarriesBasicCredentials(std::string_view authorization, const std::string& user,
                             const std::string& password);

}  // namespace zarn::docstore
