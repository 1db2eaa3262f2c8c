#pragma once

#include <memory>
#include <string_view>

#include "transport/xml_document.h"

namespace zarn::test {

// A reply body parsed as the platform's request object parses its replies: the encoding found
// from a byte-order mark or the declaration; bytes that are not XML give an empty document.
std::unique_ptr<XmlDocument> ParseReplyBytes(std::string_view bytes);

}  // namespace zarn::test
