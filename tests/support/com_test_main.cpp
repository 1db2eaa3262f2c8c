// The main of the Windows test programs: COM initialised on the main thread, as in the capture
// host, for the whole run.

#include <gtest/gtest.h>

#include "common/win32/com.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 2;
    int result = RUN_ALL_TESTS();
    ::CoUninitialize();
    return result;
}
