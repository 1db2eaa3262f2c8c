#include "tests/support/recording_user_interface.h"

namespace zarn::test {

MessageBoxAnswer RecordingUserInterface::ShowMessageBox(const std::u16string& text,
                                                        const std::u16string& caption,
                                                        MessageBoxKind kind) {
    messageBoxes.push_back({text, caption, kind});
    return answer;
}

}  // namespace zarn::test
