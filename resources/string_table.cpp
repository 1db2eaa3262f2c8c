#include "resources/string_table.h"

#include <iterator>

namespace zarn {
namespace {

struct Entry {
    std::uint32_t id;
    const char16_t* text;
};

#define ZARN_STRING(name, id, text) {id, u"" text},
constexpr Entry kStrings[] = {
#include "resources/strings.inc"
};
#undef ZARN_STRING

}  // namespace

std::optional<std::u16string> BuiltInString(std::uint32_t id) {
    for (const Entry& entry : kStrings) {
        if (entry.id == id)
            return std::u16string(entry.text);
    }
    return std::nullopt;
}

}  // namespace zarn
