#pragma once

#include <windows.h>

#include "setup/selective_edit.h"

namespace zarn::win32 {

// A dialog's edit control subclassed as a CSelectiveEdit: typed characters go through its
// rules, set and pasted texts are cleaned. Lives as long as the page's window.
class SelectiveEditWindow final : public EditBox {
  public:
    SelectiveEditWindow(HWND edit, UserInterface& ui);
    ~SelectiveEditWindow() override;
    SelectiveEditWindow(const SelectiveEditWindow&) = delete;
    SelectiveEditWindow& operator=(const SelectiveEditWindow&) = delete;

    CSelectiveEdit& Rules() { return rules_; }

    // EditBox, over the control.
    EditSelection Selection() override;
    void SetSelection(EditSelection selection) override;
    std::u16string Text() override;
    void SetText(const std::u16string& text) override;
    void InsertTyped(char16_t character) override;
    void ScrollCaret() override;

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    // The control's own handling of a pasted text, then the text cleaned.
    LRESULT Paste(WPARAM wParam, LPARAM lParam);

    HWND edit_;
    CSelectiveEdit rules_;
    LPARAM typedKeyData_ = 0;  // of the character being typed
};

}  // namespace zarn::win32
