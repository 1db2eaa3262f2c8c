#include "setup/win32/source_popup_menu.h"

#include <string>

#include "common/win32/module_instance.h"
#include "resources/control_ids.h"

namespace zarn::win32 {
namespace {

// Menus read '&' as the mark of a mnemonic; names show it as written.
std::wstring MenuText(const std::u16string& text) {
    std::wstring escaped;
    for (char16_t unit : text) {
        if (unit == u'&')
            escaped += L'&';
        escaped += static_cast<wchar_t>(unit);
    }
    return escaped;
}

void Append(HMENU menu, const MenuItem& item);

HMENU BuildSubmenu(const MenuDescription& items) {
    HMENU submenu = ::CreatePopupMenu();
    if (submenu) {
        for (const MenuItem& item : items)
            Append(submenu, item);
    }
    return submenu;
}

void Append(HMENU menu, const MenuItem& item) {
    const std::wstring text = MenuText(item.text);
    if (item.IsSubmenu()) {
        if (HMENU submenu = BuildSubmenu(item.submenu)) {
            ::AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu),
                          text.c_str());
        }
        return;
    }
    const UINT id = static_cast<UINT>(item.id);
    const UINT check = item.checked ? MF_CHECKED : MF_UNCHECKED;
    // The commands that the resource holds already keep their place and text.
    if (::GetMenuState(menu, id, MF_BYCOMMAND) != static_cast<UINT>(-1)) {
        ::CheckMenuItem(menu, id, MF_BYCOMMAND | check);
    } else {
        ::AppendMenuW(menu, MF_STRING | check, id, text.c_str());
    }
}

}  // namespace

void TrackSourceMenu(HWND owner, HWND anchor, const MenuDescription& menu) {
    // Destroying the root destroys the popup and its submenus.
    HMENU root = ::LoadMenuW(ModuleInstance(), MAKEINTRESOURCEW(IDR_SOURCE_MENU));
    HMENU shown = root ? ::GetSubMenu(root, 0) : nullptr;
    if (!shown) {
        if (root)
            ::DestroyMenu(root);
        root = shown = ::CreatePopupMenu();
        if (!root)
            return;
    }
    for (const MenuItem& item : menu)
        Append(shown, item);
    RECT place{};
    ::GetWindowRect(anchor ? anchor : owner, &place);
    ::TrackPopupMenu(shown, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, place.left,
                     place.bottom, 0, owner, nullptr);
    ::DestroyMenu(root);
}

}  // namespace zarn::win32
