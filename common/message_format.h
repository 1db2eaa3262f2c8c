#pragma once

#include <string>
#include <vector>

namespace zarn {

// The platform message formatter's rules for a string template: %1 … %99 take the inserts
// (an optional "!s!" after the number is accepted), %0 ends the text, %% %. %! and "% " give
// the character, %n a line break, %r a carriage return, %t a tab. Inserts are never scanned
// again; line breaks of the template are copied as they are.
std::u16string FormatMessageTemplate(const std::u16string& messageTemplate,
                                     const std::vector<std::u16string>& inserts);

}  // namespace zarn
