#include "setup/selective_edit.h"

#include <cwctype>

#include "common/user_interface.h"
#include "common/utf16_text.h"

namespace zarn {
namespace {

bool Contains(std::u16string_view set, char16_t character) {
    return set.find(character) != std::u16string_view::npos;
}

bool IsSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

void ToUpper(std::u16string& text) {
    for (char16_t& unit : text) {
        if (!IsSurrogate(unit)) {
            unit = static_cast<char16_t>(std::towupper(static_cast<std::wint_t>(unit)));
        }
    }
}

}  // namespace

std::u16string CSelectiveEdit::CleanText(std::u16string_view text) const {
    std::u16string cleaned(text);
    if (upperCase)
        ToUpper(cleaned);
    if (!excludedFirstChars.empty() && !cleaned.empty() &&
        Contains(excludedFirstChars, cleaned.front())) {
        ui_.Beep();
        cleaned.erase(0, 1);
    }
    if (!excludedChars.empty()) {
        std::erase_if(cleaned, [this](char16_t unit) { return Contains(excludedChars, unit); });
    }
    if (maxLength > 0 && cleaned.size() > static_cast<std::size_t>(maxLength)) {
        ui_.Beep();
        cleaned = TruncateUnits(cleaned, static_cast<std::size_t>(maxLength));
    }
    return cleaned;
}

bool CSelectiveEdit::OnChar(EditBox& box, char16_t character) const {
    const bool atStart = box.Selection().start == 0;
    if (Contains(excludedChars, character) ||
        (atStart && Contains(excludedFirstChars, character))) {
        ui_.Beep();
        return false;
    }
    box.InsertTyped(character);
    CleanBox(box);
    return true;
}

void CSelectiveEdit::CleanBox(EditBox& box) const {
    const EditSelection selection = box.Selection();
    const std::u16string text = box.Text();
    const std::u16string cleaned = CleanText(text);
    if (cleaned != text) {
        box.SetText(cleaned);
        box.SetSelection(selection);
        box.ScrollCaret();
    }
}

}  // namespace zarn
