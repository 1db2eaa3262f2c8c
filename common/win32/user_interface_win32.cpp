#include "common/win32/user_interface_win32.h"

#include <windows.h>

#include "common/win32/bstr.h"

namespace zarn {
namespace {

class Win32UserInterface final : public UserInterface {
  public:
    MessageBoxAnswer ShowMessageBox(const std::u16string& text, const std::u16string& caption,
                                    MessageBoxKind kind) override {
        const UINT style = kind == MessageBoxKind::kOk ? MB_OK : MB_OKCANCEL | MB_ICONEXCLAMATION;
        const int answer =
            ::MessageBoxW(::GetActiveWindow(), win32::Wide(text), win32::Wide(caption), style);
        return answer == IDOK ? MessageBoxAnswer::kOk : MessageBoxAnswer::kCancel;
    }

    // Nested waits keep the wait cursor until the outermost one ends.
    void BeginWaitCursor() override {
        HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        if (depth_++ == 0)
            restored_ = previous;
    }
    void EndWaitCursor() override {
        if (depth_ > 0 && --depth_ == 0)
            ::SetCursor(restored_);
    }

    void Beep() override { ::MessageBeep(MB_OK); }

  private:
    int depth_ = 0;
    HCURSOR restored_ = nullptr;
};

}  // namespace

UserInterface& PlatformUserInterface() {
    // The setup's windows all live on the host's one user-interface thread.
    static Win32UserInterface ui;
    return ui;
}

}  // namespace zarn
