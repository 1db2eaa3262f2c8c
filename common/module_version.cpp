#include "common/module_version.h"

#include "common/utf16_text.h"

namespace zarn {

std::optional<std::u16string> ModuleVersionText(Texts& texts) {
    std::optional<std::vector<std::uint16_t>> version = texts.ModuleProductVersion();
    if (!version || version->size() < 3)
        return std::nullopt;
    return Decimal((*version)[0]) + u"." + Decimal((*version)[1]) + u"." + Decimal((*version)[2]);
}

}  // namespace zarn
