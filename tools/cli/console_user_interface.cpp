#include "tools/cli/console_user_interface.h"

#include <iostream>

#include "common/utf16_text.h"

namespace zarn::tools {

MessageBoxAnswer ConsoleUserInterface::ShowMessageBox(const std::u16string& text,
                                                      const std::u16string&, MessageBoxKind) {
    ++messagesShown_;
    std::cerr << ToUtf8(text) << std::endl;
    return MessageBoxAnswer::kOk;
}

}  // namespace zarn::tools
