#include "tests/support/reply_bytes.h"

#include "transport/posix/libxml2_document.h"

namespace zarn::test {

std::unique_ptr<XmlDocument> ParseReplyBytes(std::string_view bytes) {
    return ParseXmlBytes(bytes);
}

}  // namespace zarn::test
