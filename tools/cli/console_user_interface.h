#pragma once

#include <cstddef>
#include <string>

#include "common/user_interface.h"

namespace zarn::tools {

// The user interface of the command line: a message box is printed to standard error (and
// answered OK); there is no cursor to change and nothing to beep.
class ConsoleUserInterface : public UserInterface {
  public:
    MessageBoxAnswer ShowMessageBox(const std::u16string& text, const std::u16string& caption,
                                    MessageBoxKind kind) override;
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void Beep() override {}

    // How many messages were shown: each one reports something that failed.
    std::size_t MessagesShown() const { return messagesShown_; }

  private:
    std::size_t messagesShown_ = 0;
};

}  // namespace zarn::tools
