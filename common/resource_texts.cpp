#include "common/resource_texts.h"

#include <optional>

namespace zarn {
namespace {

constexpr char16_t kMissingString[] = u"???";

}  // namespace

std::u16string ResourceText(Texts& texts, std::uint32_t id) {
    return texts.StringResource(id).value_or(kMissingString);
}

std::u16string FormatResourceMessage(Texts& texts, std::uint32_t id,
                                     const std::vector<std::u16string>& inserts) {
    std::optional<std::u16string> messageTemplate = texts.StringResource(id);
    if (!messageTemplate)
        return kMissingString;
    return texts.FormatMessageText(*messageTemplate, inserts);
}

}  // namespace zarn
