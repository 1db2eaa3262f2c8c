#pragma once

// The administrator in front of the setup sheet: a thread of the test that works the sheet's
// windows with posted keyboard and mouse messages, exactly as the system delivers them, while
// the sheet's modal loop runs on the test's main thread.

#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zarn::test {

// The capture host's main window on the test's main thread: active when the setup starts, so
// that the sheet takes it as its owner. It also tells the driver when the main thread has
// handled everything posted to it so far.
class HostWindow {
  public:
    HostWindow();
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND Handle() const { return window_; }
    // From the driver's thread: returns once the main thread has dispatched every message that
    // was posted to it before (false after a minute: a loaded machine can stall Wine for seconds).
    // Each fence waits for its own answer, so one that came late cannot pass for the next.
    [[nodiscard]] bool Fence();

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    HANDLE answered_ = nullptr;
    std::atomic<std::uint64_t> posted_{0};
    std::atomic<std::uint64_t> reached_{0};
};

// How long the driver waits for the UI before it reports a failure. Only a failing test waits
// that long; a loaded machine running several Wine programs stalls the UI for seconds.
inline constexpr std::chrono::seconds kPatience{60};

// Waits for `condition`, checking every 10 milliseconds; false when it did not come true in time.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = kPatience);

// The visible top-level windows of the class that `owner` owns (any owner for null).
std::vector<HWND> OwnedWindows(HWND owner, const wchar_t* className);
// The first one to appear, or null once the driver's patience is spent.
HWND WaitForOwnedWindow(HWND owner, const wchar_t* className);

std::u16string TextOf(HWND window);

// Dismisses what the thread shows: its menus with Escape, its dialogs with Cancel.
void CancelWindowsOf(DWORD thread);

// Input, posted to the window that has (or takes) the keyboard focus.
void PressKey(HWND window, UINT virtualKey);
void TypeText(HWND window, std::u16string_view text);
void ClickAt(HWND window, POINT clientPoint);
void Click(HWND window);  // in its middle

// Popup menus while one is open: its window (class "#32768"), its menu and its items' texts.
HMENU MenuOf(HWND menuWindow);
std::vector<std::u16string> MenuTexts(HMENU menu);
bool IsChecked(HMENU menu, int position);

}  // namespace zarn::test
