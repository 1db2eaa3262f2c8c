#pragma once

#include <string>
#include <vector>

#include "common/user_interface.h"

namespace zarn::test {

// Records every message box, wait cursor and beep; answers message boxes with `answer`.
class RecordingUserInterface : public UserInterface {
  public:
    struct MessageBox {
        std::u16string text;
        std::u16string caption;
        MessageBoxKind kind;
    };

    MessageBoxAnswer ShowMessageBox(const std::u16string& text, const std::u16string& caption,
                                    MessageBoxKind kind) override;
    void BeginWaitCursor() override {
        ++waitCursorDepth;
        ++waitCursorCount;
    }
    void EndWaitCursor() override { --waitCursorDepth; }
    void Beep() override { ++beeps; }

    std::vector<MessageBox> messageBoxes;
    MessageBoxAnswer answer = MessageBoxAnswer::kOk;
    int waitCursorDepth = 0;
    int waitCursorCount = 0;
    int beeps = 0;
};

}  // namespace zarn::test
