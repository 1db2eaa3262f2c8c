#pragma once

#include <string>
#include <vector>

namespace zarn {

// A popup menu described without the platform: the dialog builds the real menu from it.
struct MenuItem {
    int id = 0;  // command id; a submenu, which may be empty, has none
    std::u16string text;
    bool checked = false;
    std::vector<MenuItem> submenu;  // items of a submenu

    bool IsSubmenu() const { return id == 0; }
};

using MenuDescription = std::vector<MenuItem>;

}  // namespace zarn
