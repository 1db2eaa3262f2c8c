#pragma once

#include <windows.h>

#include <memory>
#include <ostream>

#include "tools/win32/utf8_console_buffer.h"

namespace zarn::tools {

// While it lives, a standard stream whose handle is a console window writes through a
// Utf8ConsoleBuffer. Redirected to a file or a pipe, the stream is left alone: it writes the
// UTF-8 bytes themselves.
class Utf8ConsoleStream {
  public:
    // `handle` is STD_OUTPUT_HANDLE or STD_ERROR_HANDLE, the handle under `stream`.
    Utf8ConsoleStream(std::ostream& stream, DWORD handle);
    // Gives the stream its own buffer back.
    ~Utf8ConsoleStream();
    Utf8ConsoleStream(const Utf8ConsoleStream&) = delete;
    Utf8ConsoleStream& operator=(const Utf8ConsoleStream&) = delete;

  private:
    std::ostream& stream_;
    std::unique_ptr<Utf8ConsoleBuffer> console_;
    std::streambuf* own_ = nullptr;
};

}  // namespace zarn::tools
