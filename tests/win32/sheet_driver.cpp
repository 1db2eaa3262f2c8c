#include "tests/win32/sheet_driver.h"

#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include "tests/win32/screenshot.h"

namespace zarn::test {
namespace {

constexpr int kPageListId = 0x3FF0;

}  // namespace

SheetDriver::SheetDriver(HostWindow& host) : host_(host) {
    sheet_ = WaitForOwnedWindow(host.Handle(), L"#32770");
    Settle();
}

HWND SheetDriver::PageList() const {
    return ::GetDlgItem(sheet_, kPageListId);
}

HWND SheetDriver::Page() const {
    return reinterpret_cast<HWND>(::SendMessageW(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0));
}

HWND SheetDriver::Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(sheet_, nullptr), &info);
    return info.hwndFocus;
}

bool SheetDriver::HasFocus(int id) const {
    HWND focus = Focus();
    return focus && (::GetDlgCtrlID(focus) == id ||
                     (::GetParent(focus) == Control(id) && ::GetParent(focus) != nullptr));
}

void SheetDriver::Settle() const {
    if (!host_.Fence())
        ADD_FAILURE() << "the setup's thread did not handle the input within " << kPatience.count()
                      << " seconds";
}

void SheetDriver::Type(std::u16string_view text) const {
    TypeText(Focus(), text);
    Settle();
}

void SheetDriver::Press(UINT virtualKey) const {
    PressKey(Focus(), virtualKey);
    Settle();
}

void SheetDriver::Click(int id) const {
    test::Click(Control(id));
    Settle();
}

void SheetDriver::FocusOn(int id) const {
    ::PostMessageW(sheet_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(id)), TRUE);
    Settle();
}

void SheetDriver::PickWithKeys(int id, int steps) const {
    FocusOn(id);
    Press(VK_F4);
    for (int i = 0; i < (steps < 0 ? -steps : steps); ++i)
        Press(steps < 0 ? VK_UP : VK_DOWN);
    Press(VK_RETURN);
}

void SheetDriver::SelectPageInList(int index) const {
    RECT item{};
    ::SendMessageW(PageList(), LB_GETITEMRECT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&item));
    ClickAt(PageList(), {item.left + 5, (item.top + item.bottom) / 2});
    Settle();
}

void SheetDriver::ChooseInMenu(HWND menu, std::initializer_list<int> positions) const {
    std::size_t level = 0;
    for (int position : positions) {
        // A submenu opens with its first item selected; the top menu with none.
        const int steps = level == 0 ? position + 1 : position;
        for (int i = 0; i < steps; ++i)
            PressKey(menu, VK_DOWN);
        PressKey(menu, ++level < positions.size() ? VK_RIGHT : VK_RETURN);
    }
    // The chosen command is posted as the menu closes.
    WaitUntil([menu] { return !::IsWindowVisible(menu); });
    Settle();
}

RgbImage SheetDriver::Capture(HWND window) const {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Settle();
    RECT area{};
    ::GetWindowRect(window, &area);
    return CaptureScreen(area);
}

bool SheetDriver::Screenshot(const std::filesystem::path& file) const {
    ::RedrawWindow(sheet_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Settle();
    RECT client{};
    ::GetClientRect(sheet_, &client);
    ::MapWindowPoints(sheet_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    std::filesystem::create_directories(file.parent_path());
    return SaveScreenshot(client, file);
}

}  // namespace zarn::test
