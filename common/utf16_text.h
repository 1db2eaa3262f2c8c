#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace zarn {

// Texts are UTF-16 in memory, as the capture host counts them; UTF-8 on the wire and on POSIX
// system interfaces.

// Standard UTF-16 to UTF-8 conversion; an unpaired surrogate becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);

// UTF-8 to UTF-16; an invalid sequence becomes U+FFFD.
std::u16string FromUtf8(std::string_view text);

// Signed decimal form, as "%d" / "%i" print it.
std::u16string Decimal(std::int64_t value);

// Decimal with at least two digits, as "%02d" prints it.
std::u16string TwoDigits(std::int32_t value);

// "0x%08lX": eight upper-case hexadecimal digits.
std::u16string Hex8(std::uint32_t value);

// Fills the printf-style placeholders of a fixed template ("%s", "%d", "%i", "%02d") in order
// with texts that the caller has already converted; "%%" gives "%". A placeholder without an
// argument stays empty. Arguments are never scanned again.
std::u16string FillTemplate(std::u16string_view format,
                            std::initializer_list<std::u16string_view> args);

// Removes white space (blank, tab, CR, LF, vertical tab, form feed) at both ends.
std::u16string Trim(std::u16string_view text);

// Cuts a text to at most maxUnits UTF-16 code units without splitting a surrogate pair.
std::u16string TruncateUnits(std::u16string_view text, std::size_t maxUnits);

}  // namespace zarn
