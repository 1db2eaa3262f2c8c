// The module's four entry points, exported through zarnRel.def, and its DllMain.

#include <windows.h>

#include "module/czarnrel_app.h"
#include "module/czarnrel_module.h"
#include "module/exception_firewall.h"
#include "module/registration.h"

using zarn::win32::CzarnRelApp;
using zarn::win32::CzarnRelModule;
using zarn::win32::Firewall;

// Nothing runs under the loader lock: start-up comes with the first entry-point call and
// shut-down when DllCanUnloadNow allows unloading. A host that unloads the module without
// asking leaves what is still held to its process, rather than have it released here.
BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* object) {
    return Firewall([&] {
        HRESULT hr = CzarnRelApp::Instance().InitInstance();
        return FAILED(hr) ? hr : CzarnRelModule::Instance().GetClassObject(clsid, iid, object);
    });
}

STDAPI DllCanUnloadNow() {
    return Firewall([] {
        if (!CzarnRelModule::Instance().CanUnload())
            return S_FALSE;
        CzarnRelApp::Instance().ExitInstance();
        return S_OK;
    });
}

STDAPI DllRegisterServer() {
    return Firewall([] {
        HRESULT hr = CzarnRelApp::Instance().InitInstance();
        return FAILED(hr) ? hr : zarn::win32::RegisterServer();
    });
}

STDAPI DllUnregisterServer() {
    return Firewall([] {
        HRESULT hr = CzarnRelApp::Instance().InitInstance();
        return FAILED(hr) ? hr : zarn::win32::UnregisterServer();
    });
}
