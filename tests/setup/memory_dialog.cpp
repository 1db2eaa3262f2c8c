#include "tests/setup/memory_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zarn::test {
namespace {

// Windows sorts list entries without regard to letter case.
std::u16string SortKey(std::u16string_view text) {
    std::u16string key(text);
    for (char16_t& c : key) {
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
    }
    return key;
}

const MenuItem* FindItem(const MenuDescription& menu, std::u16string_view text) {
    for (const MenuItem& item : menu) {
        if (item.IsSubmenu()) {
            if (const MenuItem* found = FindItem(item.submenu, text))
                return found;
        } else if (item.text == text) {
            return &item;
        }
    }
    return nullptr;
}

}  // namespace

class MemoryDialog::EditAdapter : public EditBox {
  public:
    EditAdapter(MemoryDialog& dialog, int id) : dialog_(dialog), id_(id) {}
    EditSelection Selection() override { return State().selection; }
    void SetSelection(EditSelection selection) override {
        const int size = static_cast<int>(State().text.size());
        State().selection = {std::clamp(selection.start, 0, size),
                             std::clamp(selection.end, 0, size)};
    }
    std::u16string Text() override { return State().text; }
    void SetText(const std::u16string& text) override { dialog_.SetText(id_, text); }
    void InsertTyped(char16_t character) override {
        dialog_.ReplaceSelection(id_, std::u16string_view(&character, 1));
    }
    void ScrollCaret() override {}

  private:
    MemoryDialog::State& State() { return *dialog_.Find(id_); }
    MemoryDialog& dialog_;
    int id_;
};

MemoryDialog::MemoryDialog(UserInterface& ui, const std::vector<ControlLayout>& controls)
    : ui_(ui) {
    for (const ControlLayout& layout : controls) {
        State& state = controls_[layout.id];
        state.kind = layout.kind;
        state.text = layout.text;
        state.shown = !layout.hidden;
        state.passwordChar = layout.password ? u'*' : u'\0';
        if (layout.kind == ControlKind::kSelectiveEdit) {
            state.selective = std::make_unique<CSelectiveEdit>(ui_);
        }
        if (layout.kind == ControlKind::kColourComboBox) {
            state.colour = std::make_unique<CComboBoxClr>();
        }
    }
}

MemoryDialog::State* MemoryDialog::Find(int id) {
    auto it = controls_.find(id);
    if (it == controls_.end()) {
        unknownIds_.push_back(id);
        return nullptr;
    }
    return &it->second;
}

const MemoryDialog::State& MemoryDialog::Control(int id) const {
    return controls_.at(id);
}

bool MemoryDialog::IsEdit(const State& state) const {
    return state.kind == ControlKind::kEdit || state.kind == ControlKind::kSelectiveEdit;
}

bool MemoryDialog::IsCombo(const State& state) const {
    return state.kind == ControlKind::kComboBox || state.kind == ControlKind::kColourComboBox;
}

void MemoryDialog::Notify(int id, Notification code) {
    if (events_)
        events_->OnNotify(id, code);
}

void MemoryDialog::SetTextOf(int id, State& state, const std::u16string& text) {
    state.text = state.selective ? state.selective->CleanText(text) : text;
    state.selection = {0, 0};
    if (IsEdit(state))
        Notify(id, Notification::kChange);
}

void MemoryDialog::SetText(int id, const std::u16string& text) {
    if (State* state = Find(id))
        SetTextOf(id, *state, text);
}

std::u16string MemoryDialog::GetText(int id) {
    State* state = Find(id);
    return state ? state->text : std::u16string();
}

void MemoryDialog::Enable(int id, bool enabled) {
    if (State* state = Find(id))
        state->enabled = enabled;
}

void MemoryDialog::Show(int id, bool shown) {
    if (State* state = Find(id))
        state->shown = shown;
}

void MemoryDialog::SetPasswordChar(int id, char16_t mask) {
    if (State* state = Find(id))
        state->passwordChar = mask;
}

void MemoryDialog::SetFocus(int id) {
    if (Find(id))
        focus_ = id;
}

void MemoryDialog::ResetList(int id) {
    if (State* state = Find(id)) {
        state->entries.clear();
        state->listSelection = -1;
    }
}

int MemoryDialog::AddListEntry(int id, const std::u16string& text, std::uint32_t itemData) {
    State* state = Find(id);
    if (!state || !IsCombo(*state))
        return -1;
    const std::u16string key = SortKey(text);
    auto place = std::find_if(state->entries.begin(), state->entries.end(),
                              [&key](const Entry& entry) { return SortKey(entry.text) > key; });
    place = state->entries.insert(place, {text, itemData});
    return static_cast<int>(place - state->entries.begin());
}

int MemoryDialog::ListCount(int id) {
    State* state = Find(id);
    return state ? static_cast<int>(state->entries.size()) : -1;
}

std::u16string MemoryDialog::ListText(int id, int index) {
    State* state = Find(id);
    if (!state || index < 0 || index >= static_cast<int>(state->entries.size()))
        return {};
    return state->entries[static_cast<std::size_t>(index)].text;
}

int MemoryDialog::ListSelection(int id) {
    State* state = Find(id);
    return state ? state->listSelection : -1;
}

bool MemoryDialog::IsListOpen(int id) {
    State* state = Find(id);
    return state && state->listOpen;
}

CSelectiveEdit* MemoryDialog::SelectiveEdit(int id) {
    State* state = Find(id);
    return state ? state->selective.get() : nullptr;
}

CComboBoxClr* MemoryDialog::ColourComboBox(int id) {
    State* state = Find(id);
    return state ? state->colour.get() : nullptr;
}

std::optional<int> MemoryDialog::TrackPopupMenu(const MenuDescription& menu, int anchorId) {
    menus_.push_back({menu, anchorId});
    std::optional<std::u16string> choice = std::move(menuChoice_);
    menuChoice_.reset();
    if (!choice)
        return std::nullopt;
    const MenuItem* item = FindItem(menu, *choice);
    EXPECT_NE(item, nullptr) << "no menu item " << testing::PrintToString(*choice);
    return item ? std::optional<int>(item->id) : std::nullopt;
}

bool MemoryDialog::Takes(int id) {
    State* state = Find(id);
    return state && state->enabled && state->shown;
}

void MemoryDialog::ReplaceSelection(int id, std::u16string_view replacement) {
    State& state = *Find(id);
    const auto start =
        static_cast<std::size_t>(std::min(state.selection.start, state.selection.end));
    const auto end = static_cast<std::size_t>(std::max(state.selection.start, state.selection.end));
    state.text.replace(start, end - start, replacement);
    const int caret = static_cast<int>(start + replacement.size());
    state.selection = {caret, caret};
    if (IsCombo(state)) {
        state.listSelection = -1;
        Notify(id, Notification::kEditChange);
    } else {
        Notify(id, Notification::kChange);
    }
}

bool MemoryDialog::Type(int id, std::u16string_view characters) {
    if (!Takes(id))
        return false;
    State& state = *Find(id);
    if (!IsEdit(state) && !IsCombo(state))
        return false;
    for (char16_t character : characters) {
        if (Find(id)->selective) {
            EditAdapter box(*this, id);
            Find(id)->selective->OnChar(box, character);
        } else {
            ReplaceSelection(id, std::u16string_view(&character, 1));
        }
    }
    return true;
}

bool MemoryDialog::Retype(int id, std::u16string_view text) {
    if (!Takes(id))
        return false;
    State& state = *Find(id);
    state.selection = {0, static_cast<int>(state.text.size())};
    if (!text.empty())
        return Type(id, text);
    ReplaceSelection(id, u"");  // the Delete key
    return true;
}

int MemoryDialog::EntryIndex(const State& state, std::u16string_view text) {
    auto it = std::find_if(state.entries.begin(), state.entries.end(),
                           [text](const Entry& entry) { return entry.text == text; });
    return it == state.entries.end() ? -1 : static_cast<int>(it - state.entries.begin());
}

void MemoryDialog::Select(int id, State& state, int index) {
    state.listSelection = index;
    state.text = state.entries[static_cast<std::size_t>(index)].text;
    Notify(id, Notification::kSelChange);
}

bool MemoryDialog::Pick(int id, std::u16string_view entry) {
    if (!Takes(id))
        return false;
    State& state = *Find(id);
    const int index = EntryIndex(state, entry);
    if (index < 0)
        return false;
    state.listOpen = true;
    Select(id, state, index);
    state.listOpen = false;
    Notify(id, Notification::kCloseUp);
    return true;
}

bool MemoryDialog::Step(int id, int entries) {
    if (!Takes(id))
        return false;
    State& state = *Find(id);
    if (!IsCombo(state) || state.entries.empty())
        return false;
    // The list follows the box's text, as the real box's list does.
    const int shown = EntryIndex(state, state.text);
    const int from = shown < 0 ? state.listSelection : shown;
    const int last = static_cast<int>(state.entries.size()) - 1;
    Select(id, state, std::clamp(from + entries, 0, last));
    return true;
}

bool MemoryDialog::Click(int id) {
    if (!Takes(id) || Find(id)->kind != ControlKind::kButton)
        return false;
    Notify(id, Notification::kClicked);
    return true;
}

std::vector<std::u16string> MemoryDialog::ListEntries(int id) const {
    std::vector<std::u16string> texts;
    for (const Entry& entry : Control(id).entries)
        texts.push_back(entry.text);
    return texts;
}

std::optional<Colour> MemoryDialog::EntryColour(int id, std::u16string_view entry) const {
    const State& state = Control(id);
    const int count = static_cast<int>(state.entries.size());
    for (int i = 0; i < count; ++i) {
        const Entry& candidate = state.entries[static_cast<std::size_t>(i)];
        if (candidate.text != entry || !state.colour)
            continue;
        std::optional<ComboItemDrawing> drawing =
            state.colour->DrawItem(i, count, i == state.listSelection, candidate.data);
        return drawing ? drawing->textColour : std::nullopt;
    }
    return std::nullopt;
}

}  // namespace zarn::test
