#include "tools/cli/console_user_interface.h"

#include <iostream>

#include "common/utf16_text.h"
#include "tools/text/visible_text.h"

namespace zarn::tools {

MessageBoxAnswer ConsoleUserInterface::ShowMessageBox(const std::u16string& text,
                                                      const std::u16string&, MessageBoxKind) {
    ++messagesShown_;
    // One message, one line: its line breaks, and what a server put in it, are shown escaped.
    std::cerr << VisibleText(text) << std::endl;
    return MessageBoxAnswer::kOk;
}

}  // namespace zarn::tools
