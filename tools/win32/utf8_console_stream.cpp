#include "tools/win32/utf8_console_stream.h"

namespace zarn::tools {

Utf8ConsoleStream::Utf8ConsoleStream(std::ostream& stream, DWORD handle) : stream_(stream) {
    HANDLE console = ::GetStdHandle(handle);
    DWORD mode = 0;
    if (console == nullptr || console == INVALID_HANDLE_VALUE ||
        !::GetConsoleMode(console, &mode)) {
        return;
    }
    stream_.flush();
    console_ = std::make_unique<Utf8ConsoleBuffer>(console);
    own_ = stream_.rdbuf(console_.get());
}

Utf8ConsoleStream::~Utf8ConsoleStream() {
    if (console_) {
        stream_.rdbuf(own_);
    }
}

}  // namespace zarn::tools
