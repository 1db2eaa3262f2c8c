#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zarn {

class UserInterface;

struct EditSelection {
    int start = 0;
    int end = 0;
};

// The single-line edit control under a CSelectiveEdit.
class EditBox {
  public:
    virtual ~EditBox() = default;
    virtual EditSelection Selection() = 0;
    virtual void SetSelection(EditSelection selection) = 0;
    virtual std::u16string Text() = 0;
    // Sets the text as the program does (the text-set rule applies again).
    virtual void SetText(const std::u16string& text) = 0;
    // The control's own handling of a typed character: replaces the selection with it.
    virtual void InsertTyped(char16_t character) = 0;
    virtual void ScrollCaret() = 0;
};

// The rules of the filtering edit box: characters that may not be typed, a first character
// that may not be used, upper case, and a longest text. The options apply from the next
// character or text set.
class CSelectiveEdit {
  public:
    explicit CSelectiveEdit(UserInterface& ui) : ui_(ui) {}

    std::u16string excludedChars;
    std::u16string excludedFirstChars;
    bool upperCase = false;
    std::int32_t maxLength = -1;  // 0 or less: no limit

    // The text as the box may hold it; beeps for a dropped first character and for a cut.
    // The box takes this text whenever a text is set into it.
    std::u16string CleanText(std::u16string_view text) const;

    // A typed character: refused with a beep (false) or inserted and the result cleaned.
    bool OnChar(EditBox& box, char16_t character) const;

    // Cleans the box's whole text in place, keeping its selection: after a typed character and
    // after a paste.
    void CleanBox(EditBox& box) const;

  private:
    UserInterface& ui_;
};

}  // namespace zarn
