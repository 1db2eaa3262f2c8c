#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/docstore_server/received_document.h"

namespace zarn::docstore {

// The boundary parameter of a multipart/form-data content type (quotes removed), or nothing
// when the type is another or names no boundary.
std::optional<std::string> MultipartBoundary(std::string_view contentType);

// Splits a multipart/form-data body into its parts, in order. The closing delimiter may end
// the body without the CR LF that usually follows it: the connector's announced length ends
// there. False with an error text when the body is not well formed.
bool ParseMultipart(std::string_view body, std::string_view boundary, std::vector<FormPart>& parts,
                    std::string& error);

}  // namespace zarn::docstore
