#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <optional>

#include "resources/dialog_templates.h"
#include "setup/combo_box_clr.h"
#include "setup/dialog.h"
#include "setup/win32/selective_edit_window.h"

namespace zarn::win32 {

// The dialog interface over a page's window, created from its dialog template: the template's
// edits of the CSelectiveEdit kind subclassed, its owner-drawn drop-downs given their
// CComboBoxClr.
class Win32Dialog final : public Dialog {
  public:
    Win32Dialog(HWND page, int templateId, UserInterface& ui);

    void SetText(int id, const std::u16string& text) override;
    std::u16string GetText(int id) override;
    void Enable(int id, bool enabled) override;
    void Show(int id, bool shown) override;
    void SetPasswordChar(int id, char16_t mask) override;
    void SetFocus(int id) override;
    void ResetList(int id) override;
    int AddListEntry(int id, const std::u16string& text, std::uint32_t itemData) override;
    int ListCount(int id) override;
    std::u16string ListText(int id, int index) override;
    int ListSelection(int id) override;
    bool IsListOpen(int id) override;
    CSelectiveEdit* SelectiveEdit(int id) override;
    CComboBoxClr* ColourComboBox(int id) override;
    // The command reaches the page's window after the menu has closed.
    std::optional<int> TrackPopupMenu(const MenuDescription& menu, int anchorId) override;

    // What a control's WM_COMMAND notification code means for a control of its kind.
    [[nodiscard]] std::optional<Notification> NotificationOf(int id, UINT code) const;
    // WM_DRAWITEM of an owner-drawn drop-down; false for any other control.
    bool DrawItem(const DRAWITEMSTRUCT& item) const;

  private:
    HWND Control(int id) const { return ::GetDlgItem(page_, id); }

    HWND page_;
    std::map<int, TemplateControlKind> kinds_;
    std::map<int, std::unique_ptr<SelectiveEditWindow>> edits_;
    std::map<int, std::unique_ptr<CComboBoxClr>> combos_;
};

}  // namespace zarn::win32
