#include "tests/support/reply_bytes.h"

#include <cstring>

#include "common/win32/variant.h"
#include "transport/win32/msxml_document.h"

namespace zarn::test {

// The bytes in a SAFEARRAY, as the request object's responseBody holds them.
std::unique_ptr<XmlDocument> ParseReplyBytes(std::string_view bytes) {
    win32::Variant body;
    SAFEARRAY* array = ::SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    void* data = nullptr;
    if (!array || FAILED(::SafeArrayAccessData(array, &data)))
        return nullptr;
    std::memcpy(data, bytes.data(), bytes.size());
    ::SafeArrayUnaccessData(array);
    body.get()->vt = VT_ARRAY | VT_UI1;
    body.get()->parray = array;
    std::unique_ptr<XmlDocument> document;
    if (FAILED(win32::ParseMsxmlBytes(*body, document)))
        return nullptr;
    return document;
}

}  // namespace zarn::test
