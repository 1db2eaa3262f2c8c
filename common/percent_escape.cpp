#include "common/percent_escape.h"

namespace zarn {

std::string PercentEscaped(std::string_view text,
                           bool (*plain)(std::string_view text, std::size_t position)) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    escaped.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (plain(text, i)) {
            escaped += text[i];
        } else {
            escaped += {'%', kHex[byte >> 4], kHex[byte & 0x0F]};
        }
    }
    return escaped;
}

}  // namespace zarn
