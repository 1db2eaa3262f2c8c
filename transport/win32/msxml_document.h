#pragma once

#include <msxml2.h>

#include <memory>

#include "common/win32/com_ptr.h"
#include "transport/xml_document.h"

namespace zarn::win32 {

// A DOMDocument60 configured for replies from a server: a document type declaration is
// accepted, nothing external is resolved, nothing is validated against a server's DTD, nesting
// depth and document size are bounded. Fails when MSXML 6.0 cannot be started.
[[nodiscard]] HRESULT CreateMsxmlDocument(std::unique_ptr<XmlDocument>& document);

// The same, loaded from the bytes of a reply body (the parser detects their encoding); bytes
// that are not well-formed XML give an empty document.
[[nodiscard]] HRESULT ParseMsxmlBytes(const VARIANT& bytes, std::unique_ptr<XmlDocument>& document);

}  // namespace zarn::win32
