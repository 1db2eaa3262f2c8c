#include "setup/win32/window_text.h"

namespace zarn::win32 {

std::u16string WindowText(HWND window) {
    if (!window)
        return {};
    std::u16string text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, u'\0');
    const int length = ::GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()),
                                        static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return text;
}

}  // namespace zarn::win32
