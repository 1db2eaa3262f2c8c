#include <gtest/gtest.h>

#include "setup/combo_box_clr.h"

namespace zarn {
namespace {

TEST(NotOnServerColourTest, FlaggedEntriesAreRed) {
    Colour colour = 7;
    EXPECT_FALSE(NotOnServerColour(0, colour));
    EXPECT_EQ(colour, 7u);
    EXPECT_TRUE(NotOnServerColour(1, colour));
    EXPECT_EQ(colour, 0x0000F0u);
    EXPECT_TRUE(NotOnServerColour(0xFFFFFFFFu, colour));
}

TEST(ComboBoxClrTest, DrawsOnlyEntriesOfTheList) {
    CComboBoxClr combo;
    EXPECT_FALSE(combo.DrawItem(0, 0, false, 0));
    EXPECT_FALSE(combo.DrawItem(-1, 3, false, 0));
    EXPECT_FALSE(combo.DrawItem(3, 3, false, 0));
    ASSERT_TRUE(combo.DrawItem(2, 3, false, 1));
}

TEST(ComboBoxClrTest, TheCallbackColoursTheTextAlsoWhenSelected) {
    CComboBoxClr combo;
    EXPECT_EQ(combo.DrawItem(0, 1, false, 1)->textColour, std::nullopt);
    combo.SetItemColourCallback(NotOnServerColour);
    std::optional<ComboItemDrawing> plain = combo.DrawItem(0, 2, false, 0);
    EXPECT_EQ(plain->textColour, std::nullopt);
    EXPECT_FALSE(plain->highlighted);
    std::optional<ComboItemDrawing> flagged = combo.DrawItem(1, 2, true, 1);
    EXPECT_EQ(flagged->textColour, MakeColour(240, 0, 0));
    EXPECT_TRUE(flagged->highlighted);
    EXPECT_EQ(flagged->insetLeft, 1);
    EXPECT_EQ(flagged->insetRight, 1);
}

}  // namespace
}  // namespace zarn
