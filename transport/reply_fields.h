#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/texts.h"
#include "transport/xml_document.h"

namespace zarn {

// Reads one field of an XML reply: the text of the first node that `xpath` finds relative to
// `node`. When nothing is found, returns false and leaves `value` as it was, so that the
// caller's default survives.
[[nodiscard]] bool SelectNodeText(const XmlNode& node, std::u16string_view xpath,
                                  std::u16string& value);

// Caption of the setup property sheet; "???" when the string table lacks it.
std::u16string SetupCaptionText(Texts& texts);

// String `id` of the string table formatted with the inserts for %1, %2, …; "???" when the
// string table lacks it.
std::u16string FormatResourceMessage(Texts& texts, std::uint32_t id,
                                     const std::vector<std::u16string>& inserts);

}  // namespace zarn
