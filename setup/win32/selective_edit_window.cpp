#include "setup/win32/selective_edit_window.h"

#include <commctrl.h>

#include "common/win32/bstr.h"
#include "setup/win32/window_firewall.h"
#include "setup/win32/window_text.h"

namespace zarn::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 1;

// Characters that the edit control inserts; control characters (Backspace, Ctrl+V, ...) are
// commands and keep the control's own handling.
bool IsInserted(WPARAM character) {
    return character >= 0x20 && character != 0x7F;
}

}  // namespace

SelectiveEditWindow::SelectiveEditWindow(HWND edit, UserInterface& ui) : edit_(edit), rules_(ui) {
    ::SetWindowSubclass(edit_, Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

SelectiveEditWindow::~SelectiveEditWindow() {
    ::RemoveWindowSubclass(edit_, Procedure, kSubclassId);
}

EditSelection SelectiveEditWindow::Selection() {
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

void SelectiveEditWindow::SetSelection(EditSelection selection) {
    ::SendMessageW(edit_, EM_SETSEL, static_cast<WPARAM>(selection.start),
                   static_cast<LPARAM>(selection.end));
}

std::u16string SelectiveEditWindow::Text() {
    return WindowText(edit_);
}

void SelectiveEditWindow::SetText(const std::u16string& text) {
    ::SetWindowTextW(edit_, Wide(text));
}

void SelectiveEditWindow::InsertTyped(char16_t character) {
    ::DefSubclassProc(edit_, WM_CHAR, character, typedKeyData_);
}

void SelectiveEditWindow::ScrollCaret() {
    ::SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
}

LRESULT CALLBACK SelectiveEditWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    return WindowFirewall::Guard(LRESULT{0}, [&] {
        if (!self)
            return ::DefSubclassProc(window, message, wParam, lParam);
        return reinterpret_cast<SelectiveEditWindow*>(self)->Handle(message, wParam, lParam);
    });
}

LRESULT SelectiveEditWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CHAR:
            if (!IsInserted(wParam))
                break;
            typedKeyData_ = lParam;
            rules_.OnChar(*this, static_cast<char16_t>(wParam));
            return 0;
        case WM_SETTEXT:
            if (lParam) {
                const std::u16string cleaned =
                    rules_.CleanText(reinterpret_cast<const char16_t*>(lParam));
                return ::DefSubclassProc(edit_, message, wParam,
                                         reinterpret_cast<LPARAM>(cleaned.c_str()));
            }
            break;
        case WM_PASTE:
            return Paste(wParam, lParam);
        default:
            break;
    }
    return ::DefSubclassProc(edit_, message, wParam, lParam);
}

LRESULT SelectiveEditWindow::Paste(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = ::DefSubclassProc(edit_, WM_PASTE, wParam, lParam);
    rules_.CleanBox(*this);
    return result;
}

}  // namespace zarn::win32
