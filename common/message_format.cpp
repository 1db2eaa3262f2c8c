#include "common/message_format.h"

namespace zarn {
namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

}  // namespace

std::u16string FormatMessageTemplate(const std::u16string& messageTemplate,
                                     const std::vector<std::u16string>& inserts) {
    std::u16string out;
    const std::size_t size = messageTemplate.size();
    for (std::size_t i = 0; i < size; ++i) {
        char16_t c = messageTemplate[i];
        if (c != u'%' || i + 1 >= size) {
            out += c;
            continue;
        }
        char16_t next = messageTemplate[++i];
        if (next == u'0')
            return out;
        if (IsDigit(next)) {
            std::size_t number = next - u'0';
            if (i + 1 < size && IsDigit(messageTemplate[i + 1])) {
                number = number * 10 + (messageTemplate[++i] - u'0');
            }
            if (i + 1 < size && messageTemplate[i + 1] == u'!') {
                std::size_t close = messageTemplate.find(u'!', i + 2);
                if (close != std::u16string::npos)
                    i = close;
            }
            if (number >= 1 && number <= inserts.size())
                out += inserts[number - 1];
            continue;
        }
        switch (next) {
            case u'n':
                out += u"\r\n";
                break;
            case u'r':
                out += u'\r';
                break;
            case u't':
                out += u'\t';
                break;
            default:
                out += next;
                break;  // %% %. %! "% " and any other character
        }
    }
    return out;
}

}  // namespace zarn
