#pragma once

#include <libxml/tree.h>

#include <cstdint>

namespace zarn {

// Whether reading every text of the document, with each entity reference expanded wherever it
// stands (in content and in attribute values), gives at most `limit` bytes. The parser keeps
// references as nodes and checks only their count, so a few kilobytes can otherwise expand to
// gigabytes when a node's text is read. Linear in the size of the tree.
[[nodiscard]] bool ExpansionWithin(xmlDocPtr document, std::uint64_t limit);

}  // namespace zarn
