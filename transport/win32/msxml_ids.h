#pragma once

#include <msxml2.h>

namespace zarn::win32 {

// MSXML 6.0's class ids, which mingw-w64's headers do not define. (The interface ids of
// IXMLHTTPRequest and IXMLDOMDocument2 are declared there and defined in msxml_ids.cpp.)
extern const CLSID kClsidXmlHttp60;
extern const CLSID kClsidDomDocument60;

}  // namespace zarn::win32
