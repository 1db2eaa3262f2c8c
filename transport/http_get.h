#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "common/services.h"
#include "transport/xml_document.h"

namespace zarn {

// One GET of an XML resource. True only for a reply with status 200, whose parsed body then
// goes to `response`; otherwise `error` gets one line of text.
[[nodiscard]] bool HttpGet(const Services& services, std::u16string_view url,
                           std::u16string_view user, std::u16string_view password,
                           std::unique_ptr<XmlDocument>& response, std::u16string& error);

}  // namespace zarn
