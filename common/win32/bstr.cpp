#include "common/win32/bstr.h"

#include <limits>
#include <new>
#include <utility>

namespace zarn::win32 {

std::u16string FromBstr(BSTR text) {
    if (!text)
        return {};
    return std::u16string(reinterpret_cast<const char16_t*>(text), ::SysStringLen(text));
}

Bstr::Bstr(std::u16string_view text) {
    if (text.size() > std::numeric_limits<UINT>::max() / sizeof(wchar_t))
        throw std::bad_alloc();
    text_ = ::SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                                static_cast<UINT>(text.size()));
    if (!text_)
        throw std::bad_alloc();
}

Bstr& Bstr::operator=(Bstr&& other) noexcept {
    if (this != &other) {
        ::SysFreeString(text_);
        text_ = other.Detach();
    }
    return *this;
}

BSTR* Bstr::Receive() {
    ::SysFreeString(std::exchange(text_, nullptr));
    return &text_;
}

BSTR Bstr::Detach() {
    return std::exchange(text_, nullptr);
}

}  // namespace zarn::win32
