#include "tests/win32/ui_driver.h"

#include <thread>

namespace zarn::test {
namespace {

constexpr UINT kFenceMessage = WM_APP + 1;
constexpr wchar_t kHostClass[] = L"ZarnTestHostWindow";

LPARAM KeyData(UINT virtualKey, bool up) {
    const UINT scan = ::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    LPARAM data = 1 | (static_cast<LPARAM>(scan) << 16);
    if (up)
        data |= (static_cast<LPARAM>(1) << 30) | (static_cast<LPARAM>(1) << 31);
    return data;
}

}  // namespace

HostWindow::HostWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kHostClass;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    ::RegisterClassW(&windowClass);
    answered_ = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    window_ = ::CreateWindowExW(0, kHostClass, L"Capture Administration", WS_OVERLAPPEDWINDOW, 0, 0,
                                900, 700, nullptr, nullptr, windowClass.hInstance, nullptr);
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::ShowWindow(window_, SW_SHOW);
    ::SetActiveWindow(window_);
}

HostWindow::~HostWindow() {
    ::DestroyWindow(window_);
    ::CloseHandle(answered_);
}

bool HostWindow::Fence() {
    const std::uint64_t fence = ++posted_;
    ::PostMessageW(window_, kFenceMessage, static_cast<WPARAM>(fence), 0);
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (reached_ < fence) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        ::WaitForSingleObject(answered_, static_cast<DWORD>(left.count()));
    }
    return true;
}

LRESULT CALLBACK HostWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kFenceMessage) {
        auto* host = reinterpret_cast<HostWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        host->reached_ = static_cast<std::uint64_t>(wParam);
        ::SetEvent(host->answered_);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

std::vector<HWND> OwnedWindows(HWND owner, const wchar_t* className) {
    struct Search {
        HWND owner;
        const wchar_t* className;
        std::vector<HWND> found;
    } search{owner, className, {}};
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(data);
            wchar_t name[64] = {};
            ::GetClassNameW(window, name, 64);
            if (::IsWindowVisible(window) && std::wstring_view(name) == search.className &&
                (!search.owner || ::GetWindow(window, GW_OWNER) == search.owner)) {
                search.found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForOwnedWindow(HWND owner, const wchar_t* className) {
    HWND found = nullptr;
    WaitUntil([&] {
        std::vector<HWND> windows = OwnedWindows(owner, className);
        found = windows.empty() ? nullptr : windows.front();
        return found != nullptr;
    });
    return found;
}

std::u16string TextOf(HWND window) {
    const LRESULT length = ::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    const LRESULT copied =
        ::SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

void CancelWindowsOf(DWORD thread) {
    ::EnumThreadWindows(
        thread,
        [](HWND window, LPARAM) -> BOOL {
            wchar_t name[16] = {};
            ::GetClassNameW(window, name, 16);
            if (std::wstring_view(name) == L"#32768")
                PressKey(window, VK_ESCAPE);
            else if (std::wstring_view(name) == L"#32770")
                ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
            return TRUE;
        },
        0);
}

void PressKey(HWND window, UINT virtualKey) {
    ::PostMessageW(window, WM_KEYDOWN, virtualKey, KeyData(virtualKey, false));
    ::PostMessageW(window, WM_KEYUP, virtualKey, KeyData(virtualKey, true));
}

void TypeText(HWND window, std::u16string_view text) {
    for (char16_t unit : text)
        ::PostMessageW(window, WM_CHAR, unit, 1);
}

void ClickAt(HWND window, POINT point) {
    const LPARAM where = MAKELPARAM(point.x, point.y);
    ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
    ::PostMessageW(window, WM_LBUTTONUP, 0, where);
}

void Click(HWND window) {
    RECT client{};
    ::GetClientRect(window, &client);
    ClickAt(window, {client.right / 2, client.bottom / 2});
}

HMENU MenuOf(HWND menuWindow) {
    constexpr UINT kGetMenu = 0x01E1;  // MN_GETHMENU
    return reinterpret_cast<HMENU>(::SendMessageW(menuWindow, kGetMenu, 0, 0));
}

std::vector<std::u16string> MenuTexts(HMENU menu) {
    std::vector<std::u16string> texts;
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[512] = {};
        ::GetMenuStringW(menu, static_cast<UINT>(i), text, 512, MF_BYPOSITION);
        texts.emplace_back(reinterpret_cast<const char16_t*>(text));
    }
    return texts;
}

bool IsChecked(HMENU menu, int position) {
    return (::GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & MF_CHECKED) != 0;
}

}  // namespace zarn::test
