#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "setup/menu_description.h"

namespace zarn {

class CSelectiveEdit;
class CComboBoxClr;

// Notifications that a page's controls raise.
enum class Notification {
    kChange,      // an edit's text changed (also when the program sets it)
    kEditChange,  // the administrator edited a drop-down's text
    kSelChange,   // a drop-down's selection changed
    kCloseUp,     // a drop-down's list closed
    kClicked,     // a button was clicked
};

// What a page's window asks of its page: the control notifications and menu commands.
class DialogEvents {
  public:
    virtual ~DialogEvents() = default;
    virtual void OnNotify(int controlId, Notification code) = 0;
    virtual void OnCommand(int commandId) = 0;
};

// One page's window, its controls addressed by id. The Win32 build implements it over the
// controls of the page's dialog template; tests implement it in memory. An id that the window
// lacks is ignored (reads give empty texts and -1).
class Dialog {
  public:
    virtual ~Dialog() = default;

    virtual void SetText(int id, const std::u16string& text) = 0;
    virtual std::u16string GetText(int id) = 0;
    virtual void Enable(int id, bool enabled) = 0;
    virtual void Show(int id, bool shown) = 0;
    // 0 shows the text plainly.
    virtual void SetPasswordChar(int id, char16_t mask) = 0;
    virtual void SetFocus(int id) = 0;

    // Drop-down lists. A sorted list puts a new entry in its sorted place; AddListEntry
    // returns the entry's position.
    virtual void ResetList(int id) = 0;
    virtual int AddListEntry(int id, const std::u16string& text, std::uint32_t itemData) = 0;
    virtual int ListCount(int id) = 0;
    virtual std::u16string ListText(int id, int index) = 0;
    virtual int ListSelection(int id) = 0;  // -1: none
    // Whether the drop-down's list is showing: a selection change with the list closed (the arrow
    // keys or the mouse wheel on the box) is the administrator's choice already.
    virtual bool IsListOpen(int id) = 0;

    // The mapping controls behind an id, or null when the control is of another kind.
    virtual CSelectiveEdit* SelectiveEdit(int id) = 0;
    virtual CComboBoxClr* ColourComboBox(int id) = 0;

    // Shows the popup below the anchor control and returns the chosen command, or nothing when
    // the menu was dismissed or the command is delivered later through DialogEvents::OnCommand.
    [[nodiscard]] virtual std::optional<int> TrackPopupMenu(const MenuDescription& menu,
                                                            int anchorId) = 0;
};

}  // namespace zarn
