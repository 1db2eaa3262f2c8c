#include "setup/win32/win32_dialog.h"

#include "common/win32/bstr.h"
#include "resources/control_ids.h"
#include "setup/win32/colour_combo_drawing.h"
#include "setup/win32/source_popup_menu.h"
#include "setup/win32/window_text.h"

namespace zarn::win32 {
namespace {

int ListResult(LRESULT result) {
    return result < 0 ? -1 : static_cast<int>(result);
}

}  // namespace

Win32Dialog::Win32Dialog(HWND page, int templateId, UserInterface& ui) : page_(page) {
    using enum TemplateControlKind;
    for (const TemplateControl& control : DialogTemplateControls(templateId)) {
        HWND window = control.id == IDC_STATIC ? nullptr : Control(control.id);
        if (!window)
            continue;
        kinds_[control.id] = control.kind;
        if (control.kind == kSelectiveEdit || control.kind == kPasswordEdit) {
            edits_[control.id] = std::make_unique<SelectiveEditWindow>(window, ui);
        } else if (control.kind == kColourComboBox) {
            combos_[control.id] = std::make_unique<CComboBoxClr>();
        }
    }
}

void Win32Dialog::SetText(int id, const std::u16string& text) {
    if (HWND control = Control(id))
        ::SetWindowTextW(control, Wide(text));
}

std::u16string Win32Dialog::GetText(int id) {
    return WindowText(Control(id));
}

void Win32Dialog::Enable(int id, bool enabled) {
    if (HWND control = Control(id))
        ::EnableWindow(control, enabled);
}

void Win32Dialog::Show(int id, bool shown) {
    if (HWND control = Control(id))
        ::ShowWindow(control, shown ? SW_SHOW : SW_HIDE);
}

void Win32Dialog::SetPasswordChar(int id, char16_t mask) {
    if (HWND control = Control(id)) {
        ::SendMessageW(control, EM_SETPASSWORDCHAR, mask, 0);
        ::InvalidateRect(control, nullptr, TRUE);
    }
}

void Win32Dialog::SetFocus(int id) {
    if (HWND control = Control(id))
        ::SetFocus(control);
}

void Win32Dialog::ResetList(int id) {
    if (HWND control = Control(id))
        ::SendMessageW(control, CB_RESETCONTENT, 0, 0);
}

int Win32Dialog::AddListEntry(int id, const std::u16string& text, std::uint32_t itemData) {
    HWND control = Control(id);
    if (!control)
        return -1;
    const int index =
        ListResult(::SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(text))));
    if (index >= 0)
        ::SendMessageW(control, CB_SETITEMDATA, static_cast<WPARAM>(index), itemData);
    return index;
}

int Win32Dialog::ListCount(int id) {
    HWND control = Control(id);
    return control ? ListResult(::SendMessageW(control, CB_GETCOUNT, 0, 0)) : -1;
}

std::u16string Win32Dialog::ListText(int id, int index) {
    HWND control = Control(id);
    const int length =
        control ? ListResult(::SendMessageW(control, CB_GETLBTEXTLEN, index, 0)) : -1;
    if (length < 0)
        return {};
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    const int copied = ListResult(
        ::SendMessageW(control, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data())));
    text.resize(static_cast<std::size_t>(copied < 0 ? 0 : copied));
    return text;
}

int Win32Dialog::ListSelection(int id) {
    HWND control = Control(id);
    return control ? ListResult(::SendMessageW(control, CB_GETCURSEL, 0, 0)) : -1;
}

bool Win32Dialog::IsListOpen(int id) {
    HWND control = Control(id);
    return control && ::SendMessageW(control, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
}

CSelectiveEdit* Win32Dialog::SelectiveEdit(int id) {
    auto it = edits_.find(id);
    return it == edits_.end() ? nullptr : &it->second->Rules();
}

CComboBoxClr* Win32Dialog::ColourComboBox(int id) {
    auto it = combos_.find(id);
    return it == combos_.end() ? nullptr : it->second.get();
}

std::optional<int> Win32Dialog::TrackPopupMenu(const MenuDescription& menu, int anchorId) {
    TrackSourceMenu(page_, Control(anchorId), menu);
    return std::nullopt;
}

std::optional<Notification> Win32Dialog::NotificationOf(int id, UINT code) const {
    using enum TemplateControlKind;
    auto it = kinds_.find(id);
    if (it == kinds_.end())
        return std::nullopt;
    switch (it->second) {
        case kButton:
            return code == BN_CLICKED ? std::optional(Notification::kClicked) : std::nullopt;
        case kEdit:
        case kSelectiveEdit:
        case kPasswordEdit:
            return code == EN_CHANGE ? std::optional(Notification::kChange) : std::nullopt;
        case kComboBox:
        case kColourComboBox:
            if (code == CBN_EDITCHANGE)
                return Notification::kEditChange;
            if (code == CBN_SELCHANGE)
                return Notification::kSelChange;
            if (code == CBN_CLOSEUP)
                return Notification::kCloseUp;
            return std::nullopt;
        case kLabel:
        case kHiddenLabel:
            break;
    }
    return std::nullopt;
}

bool Win32Dialog::DrawItem(const DRAWITEMSTRUCT& item) const {
    auto it = combos_.find(static_cast<int>(item.CtlID));
    if (item.CtlType != ODT_COMBOBOX || it == combos_.end())
        return false;
    DrawComboItem(item, *it->second);
    return true;
}

}  // namespace zarn::win32
