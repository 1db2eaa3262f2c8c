#include "module/czarnrel_app.h"

#include <winsock2.h>

#include "module/type_info_cache.h"
#include "release/current_release_data.h"

namespace zarn::win32 {

CzarnRelApp& CzarnRelApp::Instance() {
    // Never destroyed: its end would come under the loader lock.
    static CzarnRelApp* app = new CzarnRelApp;
    return *app;
}

HRESULT CzarnRelApp::InitInstance() {
    std::lock_guard lock(guard_);
    if (started_)
        return S_OK;
    constexpr WORD kSocketsVersion = MAKEWORD(1, 1);
    WSADATA sockets{};
    int error = ::WSAStartup(kSocketsVersion, &sockets);
    if (error == 0 && sockets.wVersion != kSocketsVersion) {
        ::WSACleanup();
        error = WSAVERNOTSUPPORTED;
    }
    if (error != 0) {
        ::MessageBoxW(nullptr,
                      L"zarnRel cannot start: Windows Sockets 1.1 is not available on this "
                      L"computer.",
                      L"zarnRel", MB_OK | MB_ICONERROR);
        return HRESULT_FROM_WIN32(static_cast<DWORD>(error));
    }
    started_ = true;
    return S_OK;
}

void CzarnRelApp::ExitInstance() {
    CurrentReleaseData::Clear();
    TypeInfoCache::Drop();
    std::lock_guard lock(guard_);
    if (started_) {
        ::WSACleanup();
        started_ = false;
    }
}

}  // namespace zarn::win32
