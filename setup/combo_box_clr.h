#pragma once

#include <cstdint>
#include <optional>

namespace zarn {

// A colour as Windows writes it: 0x00BBGGRR.
using Colour = std::uint32_t;

constexpr Colour MakeColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<Colour>(red) | (static_cast<Colour>(green) << 8) |
           (static_cast<Colour>(blue) << 16);
}

// Gives an entry's text colour from its item data (true), or declines (false).
using ItemColourFunction = bool (*)(std::uint32_t itemData, Colour& colour);

// The General page's colour function: entries flagged as not on the server (item data other
// than 0) are drawn in red.
[[nodiscard]] bool NotOnServerColour(std::uint32_t itemData, Colour& colour);

// How one entry of the list is to be drawn; the platform draws it.
struct ComboItemDrawing {
    bool highlighted = false;          // the system's highlight colours
    std::optional<Colour> textColour;  // overrides the text colour, also when highlighted
    int insetLeft = 1;                 // pixels taken off the item rectangle
    int insetRight = 1;
};

// The owner-drawn drop-down whose entries a function of the page colours.
class CComboBoxClr {
  public:
    // Null draws every entry in the list's own colours.
    void SetItemColourCallback(ItemColourFunction callback) { itemColourCallback_ = callback; }

    // The drawing of entry `index` of a list of `count` entries, or nothing to draw.
    [[nodiscard]] std::optional<ComboItemDrawing> DrawItem(int index, int count, bool selected,
                                                           std::uint32_t itemData) const;

  private:
    ItemColourFunction itemColourCallback_ = nullptr;
};

}  // namespace zarn
