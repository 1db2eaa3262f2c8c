#include "bench/counting_user_interface.h"

#include <cstdio>

#include "common/utf16_text.h"

namespace zarn::bench {

MessageBoxAnswer CountingUserInterface::ShowMessageBox(const std::u16string& text,
                                                       const std::u16string&, MessageBoxKind) {
    if (messages++ == 0)
        std::fprintf(stderr, "message: %s\n", ToUtf8(text).c_str());
    return MessageBoxAnswer::kOk;
}

}  // namespace zarn::bench
