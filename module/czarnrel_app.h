#pragma once

#include <windows.h>

#include <mutex>

namespace zarn::win32 {

// The module's start-up and shut-down. Nothing of it runs under the loader lock: start-up runs
// at the first call of an entry point (initialising the sockets layer, version 1.1), shut-down
// when DllCanUnloadNow allows unloading (dropping the current release data, the type
// information and the sockets layer). A later entry-point call starts the module again.
class CzarnRelApp {
  public:
    static CzarnRelApp& Instance();

    // Shows a message box and fails when the sockets layer cannot be had.
    [[nodiscard]] HRESULT InitInstance();
    void ExitInstance();

  private:
    std::mutex guard_;
    bool started_ = false;
};

}  // namespace zarn::win32
