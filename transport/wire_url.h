#pragma once

#include <string>
#include <string_view>

namespace zarn {

// The URL as the platform's request object puts it on the wire: after the scheme and host,
// every byte that a URL cannot carry (controls, blanks, non-ASCII, "<>\"\\^`{|}", and a "%" that
// does not start an escape) is percent-encoded; escapes already present are kept. So a store
// named "My Store" is requested as "My%20Store".
std::string WireUrl(std::u16string_view url);

}  // namespace zarn
