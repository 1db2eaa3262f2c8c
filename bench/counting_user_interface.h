#pragma once

#include "common/user_interface.h"

namespace zarn::bench {

// A user interface that answers every message box with OK, prints the first message to
// standard error and counts them all: a benchmark's run is good only without any.
class CountingUserInterface : public UserInterface {
  public:
    MessageBoxAnswer ShowMessageBox(const std::u16string& text, const std::u16string& caption,
                                    MessageBoxKind kind) override;
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void Beep() override {}

    int messages = 0;
};

}  // namespace zarn::bench
