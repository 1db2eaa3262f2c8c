#include "transport/reply_fields.h"

namespace zarn {

bool SelectNodeText(const XmlNode& node, std::u16string_view xpath, std::u16string& value) {
    std::unique_ptr<XmlNode> found = node.SelectSingleNode(xpath);
    if (!found)
        return false;
    value = found->Text();
    return true;
}

}  // namespace zarn
