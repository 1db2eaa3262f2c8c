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
[[nodiscard]] bool EntityExpansionWithin(std::u16string_view document, std::uint64_t limit);

// The same for the bytes of a reply: the UTF-16 units after a UTF-16 byte-order mark, otherwise
// one unit per byte, which keeps the markup of every ASCII-compatible encoding. The bytes are
// copied only when they hold a document type declaration.
[[nodiscard]] bool EntityExpansionWithin(std::string_view bytes, std::uint64_t limit);

}  // namespace zarn
