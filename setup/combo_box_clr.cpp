#include "setup/combo_box_clr.h"

namespace zarn {

bool NotOnServerColour(std::uint32_t itemData, Colour& colour) {
    if (itemData == 0)
        return false;
    colour = MakeColour(240, 0, 0);
    return true;
}

std::optional<ComboItemDrawing> CComboBoxClr::DrawItem(int index, int count, bool selected,
                                                       std::uint32_t itemData) const {
    if (count <= 0 || index < 0 || index >= count)
        return std::nullopt;
    ComboItemDrawing drawing;
    drawing.highlighted = selected;
    Colour colour = 0;
    if (itemColourCallback_ && itemColourCallback_(itemData, colour))
        drawing.textColour = colour;
    return drawing;
}

}  // namespace zarn
