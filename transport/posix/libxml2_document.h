#pragma once

#include <memory>
#include <string_view>

#include "transport/xml_document.h"

namespace zarn {

// Parses the bytes of a reply body, letting the parser detect their encoding from a byte-order
// mark or the XML declaration. Bytes that are not well-formed XML give an empty document, as
// the platform's request object gives for its parsed reply.
[[nodiscard]] std::unique_ptr<XmlDocument> ParseXmlBytes(std::string_view bytes);

}  // namespace zarn
