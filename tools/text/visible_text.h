#pragma once

#include <string>
#include <string_view>

namespace zarn::tools {

// A UTF-8 text from elsewhere (a server, a file, the host), made safe to print as part of one
// line: nothing in it can move the cursor, recolour the terminal, reorder what follows or start
// a line of its own. Shown as escapes:
//   \n \r \t          line feed, carriage return, tab
//   \\                a backslash, so that every escape reads one way
//   \xHH              any other C0 control, DEL, and each byte that is no part of valid UTF-8
//   \u{HHHH}          a C1 control (U+0080 to U+009F), the line and paragraph separators
//                     U+2028 and U+2029 and the bidirectional embeddings, overrides and
//                     isolates (U+202A to U+202E, U+2066 to U+2069)
// Every other character, letters of any script among them, stays as it is.
std::string VisibleText(std::string_view text);
// The same for a UTF-16 text of the host's; an unpaired surrogate becomes U+FFFD.
std::string VisibleText(std::u16string_view text);

}  // namespace zarn::tools
