#include "transport/reply_fields.h"

#include "resources/string_ids.h"

namespace zarn {
namespace {

constexpr char16_t kMissingString[] = u"???";

}  // namespace

bool SelectNodeText(const XmlNode& node, std::u16string_view xpath, std::u16string& value) {
    std::unique_ptr<XmlNode> found = node.SelectSingleNode(xpath);
    if (!found)
        return false;
    value = found->Text();
    return true;
}

std::u16string SetupCaptionText(Texts& texts) {
    return texts.StringResource(IDS_SETUP_CAPTION).value_or(kMissingString);
}

std::u16string FormatResourceMessage(Texts& texts, std::uint32_t id,
                                     const std::vector<std::u16string>& inserts) {
    std::optional<std::u16string> messageTemplate = texts.StringResource(id);
    if (!messageTemplate)
        return kMissingString;
    return texts.FormatMessageText(*messageTemplate, inserts);
}

}  // namespace zarn
