#include "host/sim/sim_data.h"

#include <algorithm>

namespace zarn::host::sim {

const std::u16string* FindText(const NamedTexts& texts, std::u16string_view name) {
    auto found = std::find_if(texts.begin(), texts.end(),
                              [name](const auto& pair) { return pair.first == name; });
    return found == texts.end() ? nullptr : &found->second;
}

}  // namespace zarn::host::sim
