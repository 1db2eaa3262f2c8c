#include "tests/support/fixed_texts.h"

namespace zarn::test {
namespace {

template <typename Key>
std::optional<std::u16string> Lookup(const std::map<Key, std::u16string>& texts, Key key) {
    const auto found = texts.find(key);
    if (found == texts.end())
        return std::nullopt;
    return found->second;
}

}  // namespace

std::optional<std::u16string> FixedTexts::StringResource(std::uint32_t id) {
    return Lookup(strings, id);
}

std::u16string FixedTexts::FormatMessageText(const std::u16string& messageTemplate,
                                             const std::vector<std::u16string>& inserts) {
    return PlatformTexts().FormatMessageText(messageTemplate, inserts);
}

std::optional<std::u16string> FixedTexts::SystemErrorText(HResult code) {
    ++systemErrorQuestions;
    return Lookup(systemErrors, code);
}

std::optional<std::vector<std::uint16_t>> FixedTexts::ModuleProductVersion() {
    return version;
}

}  // namespace zarn::test
