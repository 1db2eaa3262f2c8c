#include "module/registration.h"

#include <olectl.h>
#include "common/win32/com.h"

#include <map>
#include <string>
#include <string_view>

#include "common/win32/com_ptr.h"
#include "common/win32/module_instance.h"
#include "module/czarnrel_module.h"
#include "module/module_ids.h"
#include "module/registry_script.h"

namespace zarn::win32 {
namespace {

constexpr UINT kAppIdRegistry = 11000;
constexpr WORD kTypeLibraryMajor = 1;
constexpr WORD kTypeLibraryMinor = 0;
constexpr LCID kTypeLibraryLocale = 0x409;

std::wstring GuidText(const GUID& guid) {
    wchar_t text[40] = {};
    ::StringFromGUID2(guid, text, static_cast<int>(std::size(text)));
    return text;
}

// The text of one of the module's REGISTRY resources; empty when it is missing.
std::string_view RegistryResource(UINT id) {
    const HINSTANCE module = ModuleInstance();
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), L"REGISTRY");
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const char* text = loaded ? static_cast<const char*>(::LockResource(loaded)) : nullptr;
    return text ? std::string_view(text, ::SizeofResource(module, found)) : std::string_view();
}

HRESULT RunScript(UINT id, const CLSID* clsid, RegistryMode mode) {
    std::map<std::wstring, std::wstring> replacements{
        {L"MODULE", ModulePath()},
        {L"APPID", GuidText(APPID_zarnRel)},
        {L"LIBID", GuidText(LIBID_zarnRelLib)},
    };
    if (clsid)
        replacements.emplace(L"CLSID", GuidText(*clsid));
    const std::string_view script = RegistryResource(id);
    if (script.empty())
        return HRESULT_FROM_WIN32(ERROR_RESOURCE_DATA_NOT_FOUND);
    return RunRegistryScript(script, replacements, mode);
}

HRESULT RegisterTypeLibrary() {
    std::wstring path = ModulePath();
    ComPtr<ITypeLib> library;
    HRESULT hr = ::LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.Receive());
    if (SUCCEEDED(hr))
        hr = ::RegisterTypeLib(library.get(), path.data(), nullptr);
    return hr;
}

}  // namespace

HRESULT RegisterServer() {
    HRESULT hr = RunScript(kAppIdRegistry, nullptr, RegistryMode::kRegister);
    for (const ObjectEntry& entry : CzarnRelModule::ObjectMap()) {
        if (SUCCEEDED(hr))
            hr = RunScript(entry.registryScript, &entry.clsid, RegistryMode::kRegister);
    }
    if (FAILED(hr))
        return hr;
    return SUCCEEDED(RegisterTypeLibrary()) ? S_OK : SELFREG_E_TYPELIB;
}

HRESULT UnregisterServer() {
    HRESULT hr = RunScript(kAppIdRegistry, nullptr, RegistryMode::kUnregister);
    for (const ObjectEntry& entry : CzarnRelModule::ObjectMap()) {
        if (SUCCEEDED(hr))
            hr = RunScript(entry.registryScript, &entry.clsid, RegistryMode::kUnregister);
    }
    if (hr != S_OK && hr != TYPE_E_REGISTRYACCESS)
        return hr;
    const SYSKIND system = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
    return SUCCEEDED(::UnRegisterTypeLib(LIBID_zarnRelLib, kTypeLibraryMajor, kTypeLibraryMinor,
                                         kTypeLibraryLocale, system))
               ? S_OK
               : SELFREG_E_TYPELIB;
}

}  // namespace zarn::win32
