#include "tools/docstore_server/basic_credentials.h"

#include <algorithm>
#include <cctype>

#include <httplib.h>

namespace zarn::docstore {

namespace {

constexpr std::string_view kScheme = "basic";

bool IsScheme(std::string_view word) {
    return std::equal(word.begin(), word.end(), kScheme.begin(), kScheme.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

}  // namespace

bool CarriesBasicCredentials(std::string_view authorization, const std::string& user,
                             const std::string& password) {
    const std::size_t blank = authorization.find(' ');
    const std::size_t token = authorization.find_first_not_of(' ', blank);
    if (blank == std::string_view::npos || token == std::string_view::npos ||
        !IsScheme(authorization.substr(0, blank))) {
        return false;
    }
    // The library's header is the scheme, one space and the encoded credentials.
    const std::string expected = httplib::make_basic_authentication_header(user, password).second;
    return authorization.substr(token) == std::string_view(expected).substr(expected.find(' ') + 1);
}

}  // namespace zarn::docstore
