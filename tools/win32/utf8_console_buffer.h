#pragma once

#include <windows.h>

#include <streambuf>
#include <string>

namespace zarn::tools {

// A stream buffer that shows UTF-8 text on a console window: whole characters are converted to
// UTF-16 and written with WriteConsoleW, whatever the console's code page is. The bytes of a
// character that is split across writes wait for the rest of it. Nothing else is held back, so
// that the console shows every write at once, as an unbuffered stream would.
class Utf8ConsoleBuffer final : public std::streambuf {
  public:
    explicit Utf8ConsoleBuffer(HANDLE console) : console_(console) {}
    // Shows what is left of an incomplete character as U+FFFD.
    ~Utf8ConsoleBuffer() override;
    Utf8ConsoleBuffer(const Utf8ConsoleBuffer&) = delete;
    Utf8ConsoleBuffer& operator=(const Utf8ConsoleBuffer&) = delete;

  protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;

  private:
    // Writes the pending bytes up to the last complete character, or all of them.
    bool WritePending(bool all);

    HANDLE console_;
    std::string pending_;
};

}  // namespace zarn::tools
