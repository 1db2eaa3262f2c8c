#pragma once

#include <string>
#include <vector>

namespace zarn {

// A popup menu described without the platform: the dialog builds the real menu from it.
struct MenuItem {
    int id = 0;  // command id; 0 for a submenu
    std::u16string text;
    bool checked = false;
    std::vector<MenuItem> submenu;  // items of a submenu
    bool isSubmenu = false;
};

using MenuDescription = std::vector<MenuItem>;

}  // namespace zarn
