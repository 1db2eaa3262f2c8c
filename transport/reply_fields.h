#pragma once

#include <string>
#include <string_view>

#include "transport/xml_document.h"

namespace zarn {

// Reads one field of an XML reply: the text of the first node that `xpath` finds relative to
// `node`. When nothing is found, returns false and leaves `value` as it was, so that the
// caller's default survives.
[[nodiscard]] bool SelectNodeText(const XmlNode& node, std::u16string_view xpath,
                                  std::u16string& value);

}  // namespace zarn
