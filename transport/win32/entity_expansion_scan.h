#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zarn {

// Whether a document's entities can expand its texts to at most `limit` units, judged from its
// markup before a parser sees it: MSXML checks neither the count of references nor what they
// expand to, and reading the text of a node expands every reference below it. The estimate
// errs upwards (a reference inside a comment or CDATA section counts too). An internal subset
// that the scan cannot follow (a parameter-entity reference, which may declare further
// entities; a character reference to "&" in an entity's value; nesting beyond 64 entities)
// counts as unbounded.
bool EntityExpansionWithin(std::u16string_view document, std::uint64_t limit);

// The units that the scan reads from a reply's bytes: the UTF-16 units after a UTF-16 byte-order
// mark, otherwise one unit per byte, which keeps the markup of every ASCII-compatible encoding.
std::u16string MarkupUnits(std::string_view bytes);

}  // namespace zarn
