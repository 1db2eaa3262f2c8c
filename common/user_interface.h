#pragma once

#include <string>

namespace zarn {

enum class MessageBoxKind {
    kOk,                   // OK button only
    kOkCancelExclamation,  // exclamation icon, OK and Cancel
};

enum class MessageBoxAnswer { kOk, kCancel };

// The user-interface seam: what the core asks of the platform's user interface outside the
// dialogs themselves.
class UserInterface {
  public:
    virtual ~UserInterface() = default;
    virtual MessageBoxAnswer ShowMessageBox(const std::u16string& text,
                                            const std::u16string& caption, MessageBoxKind kind) = 0;
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
    virtual void Beep() = 0;
};

// Caption of the module's own message boxes.
inline constexpr char16_t kModuleName[] = u"zarnRel";

}  // namespace zarn
