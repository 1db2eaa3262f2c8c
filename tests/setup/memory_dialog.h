#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "setup/combo_box_clr.h"
#include "setup/dialog.h"
#include "setup/selective_edit.h"

namespace zarn {
class UserInterface;
}

namespace zarn::test {

enum class ControlKind { kLabel, kButton, kEdit, kSelectiveEdit, kComboBox, kColourComboBox };

struct ControlLayout {
    ControlLayout(int id, ControlKind kind, std::u16string text = {}, bool hidden = false,
                  bool password = false)
        : id(id), kind(kind), text(std::move(text)), hidden(hidden), password(password) {}

    int id;
    ControlKind kind;
    std::u16string text;
    bool hidden;
    bool password;  // edits: masked with '*' until told otherwise
};

// A page's window in memory, behaving like the real controls where the pages depend on it:
// edits raise kChange whenever their text changes (also when the program sets it), drop-downs
// keep a sorted list with item data and raise kEditChange only for typing, CSelectiveEdit
// boxes clean what is typed and set. The administrator's actions are methods of their own; a
// control that is disabled, hidden or missing refuses them.
class MemoryDialog : public Dialog {
  public:
    MemoryDialog(UserInterface& ui, const std::vector<ControlLayout>& controls);
    // The controls of dialog template 11003 or 11011.
    static std::unique_ptr<MemoryDialog> FromTemplate(int templateId, UserInterface& ui);

    void SetEvents(DialogEvents* events) { events_ = events; }

    // Dialog
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
    std::optional<int> TrackPopupMenu(const MenuDescription& menu, int anchorId) override;

    // The administrator's actions; false when the control does not take them.
    bool Type(int id, std::u16string_view characters);  // at the caret, one by one
    bool Retype(int id, std::u16string_view text);      // select all, then type (or delete)
    bool Pick(int id, std::u16string_view entry);       // choose a drop-down entry by mouse
    bool Step(int id, int entries);  // the arrow keys on a closed drop-down, down for positive
    bool Click(int id);
    // Chooses in the next popup menu: the item with that text (in a submenu too), or none.
    void ChooseInNextMenu(std::u16string text) { menuChoice_ = std::move(text); }

    // What the window shows.
    bool IsEnabled(int id) const { return Control(id).enabled; }
    bool IsShown(int id) const { return Control(id).shown; }
    char16_t PasswordChar(int id) const { return Control(id).passwordChar; }
    int Focus() const { return focus_; }
    std::vector<std::u16string> ListEntries(int id) const;
    // The colour that the drop-down's colour function gives an entry, or none.
    std::optional<Colour> EntryColour(int id, std::u16string_view entry) const;
    // Every popup menu shown, with its anchor.
    struct ShownMenu {
        MenuDescription menu;
        int anchorId;
    };
    const std::vector<ShownMenu>& Menus() const { return menus_; }
    // Ids that the page asked for although the template lacks them.
    const std::vector<int>& UnknownIds() const { return unknownIds_; }

  private:
    struct Entry {
        std::u16string text;
        std::uint32_t data;
    };
    struct State {
        ControlKind kind;
        std::u16string text;
        bool enabled = true;
        bool shown = true;
        char16_t passwordChar = 0;
        EditSelection selection;
        std::vector<Entry> entries;
        int listSelection = -1;
        bool listOpen = false;
        std::unique_ptr<CSelectiveEdit> selective;
        std::unique_ptr<CComboBoxClr> colour;
    };
    class EditAdapter;

    State* Find(int id);
    const State& Control(int id) const;
    bool Takes(int id);
    bool IsEdit(const State& state) const;
    bool IsCombo(const State& state) const;
    void Notify(int id, Notification code);
    static int EntryIndex(const State& state, std::u16string_view text);  // -1: none
    // Selects the entry as the administrator does, which the drop-down reports.
    void Select(int id, State& state, int index);
    // Typing or deleting over the selection.
    void ReplaceSelection(int id, std::u16string_view replacement);
    void SetTextOf(int id, State& state, const std::u16string& text);

    UserInterface& ui_;
    std::map<int, State> controls_;
    DialogEvents* events_ = nullptr;
    int focus_ = 0;
    std::optional<std::u16string> menuChoice_;
    std::vector<ShownMenu> menus_;
    std::vector<int> unknownIds_;
};

}  // namespace zarn::test
