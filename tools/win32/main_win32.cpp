// zarnrel.exe: the arguments arrive as UTF-16 and go on as UTF-8 texts; COM is initialised for
// the MSXML request objects and documents; a console window shows the UTF-8 text as written.

#include <windows.h>

#include <iostream>
#include <string>
#include <vector>

#include "common/utf16_text.h"
#include "common/win32/bstr.h"
#include "tools/cli/command.h"
#include "tools/cli/program.h"
#include "tools/win32/utf8_console_stream.h"

int wmain(int argc, wchar_t** argv) {
    using zarn::tools::Utf8ConsoleStream;
    const Utf8ConsoleStream out(std::cout, STD_OUTPUT_HANDLE);
    const Utf8ConsoleStream err(std::cerr, STD_ERROR_HANDLE);
    // MSXML's objects live in the apartment of the thread that creates them: this one.
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(com)) {
        std::cerr << "zarnrel: COM cannot be initialised: "
                  << zarn::ToUtf8(zarn::Hex8(static_cast<std::uint32_t>(com))) << std::endl;
        return zarn::tools::kExitFailed;
    }
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i) {
        words.push_back(zarn::ToUtf8(zarn::win32::Utf16(argv[i])));
    }
    const int code = zarn::tools::RunProgram(words);
    ::CoUninitialize();
    return code;
}
