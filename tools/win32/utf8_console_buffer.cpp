#include "tools/win32/utf8_console_buffer.h"

#include "common/utf16_text.h"

namespace zarn::tools {

namespace {

// Older consoles refuse a single write much larger than this.
constexpr std::size_t kMostUnitsPerWrite = 8192;

// How many bytes a UTF-8 sequence has that starts with this byte; 1 for a byte that starts none.
std::size_t SequenceLength(unsigned char lead) {
    if ((lead & 0xE0) == 0xC0) {
        return 2;
    }
    if ((lead & 0xF0) == 0xE0) {
        return 3;
    }
    if ((lead & 0xF8) == 0xF0) {
        return 4;
    }
    return 1;
}

// The length of the text without an incomplete last character.
std::size_t CompletePrefix(const std::string& text) {
    for (std::size_t back = 1; back <= 4 && back <= text.size(); ++back) {
        const auto byte = static_cast<unsigned char>(text[text.size() - back]);
        if ((byte & 0xC0) != 0x80) {
            return SequenceLength(byte) > back ? text.size() - back : text.size();
        }
    }
    return text.size();
}

}  // namespace

Utf8ConsoleBuffer::~Utf8ConsoleBuffer() {
    WritePending(true);
}

Utf8ConsoleBuffer::int_type Utf8ConsoleBuffer::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) {
        return traits_type::not_eof(c);
    }
    const char byte = traits_type::to_char_type(c);
    return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
}

std::streamsize Utf8ConsoleBuffer::xsputn(const char* text, std::streamsize count) {
    pending_.append(text, static_cast<std::size_t>(count));
    return WritePending(false) ? count : 0;
}

bool Utf8ConsoleBuffer::WritePending(bool all) {
    const std::size_t complete = all ? pending_.size() : CompletePrefix(pending_);
    const std::u16string wide = FromUtf8(std::string_view(pending_).substr(0, complete));
    pending_.erase(0, complete);
    for (std::u16string_view rest = wide; !rest.empty();) {
        const std::u16string part = TruncateUnits(rest, kMostUnitsPerWrite);
        DWORD written = 0;
        if (!::WriteConsoleW(console_, part.data(), static_cast<DWORD>(part.size()), &written,
                             nullptr)) {
            return false;
        }
        rest.remove_prefix(part.size());
    }
    return true;
}

}  // namespace zarn::tools
