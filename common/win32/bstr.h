#pragma once

#include "common/win32/com.h"

#include <string>
#include <string_view>

namespace zarn::win32 {

// The texts of a BSTR, by its length (a BSTR may hold a zero); a null BSTR is empty.
std::u16string FromBstr(BSTR text);

// A wide-character view of a UTF-16 text: on Windows both have 16-bit units.
inline const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

// A UTF-16 view of a wide-character text.
inline std::u16string_view Utf16(std::wstring_view text) {
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

// An owned BSTR.
class Bstr {
  public:
    Bstr() = default;
    // Throws std::bad_alloc when the system has no memory for it.
    explicit Bstr(std::u16string_view text);
    ~Bstr() { ::SysFreeString(text_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    Bstr(Bstr&& other) noexcept : text_(other.Detach()) {}
    Bstr& operator=(Bstr&& other) noexcept;

    BSTR get() const { return text_; }
    BSTR* Receive();
    BSTR Detach();
    std::u16string Text() const { return FromBstr(text_); }

  private:
    BSTR text_ = nullptr;
};

}  // namespace zarn::win32
