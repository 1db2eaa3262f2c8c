#include "tools/win32/setup_module.h"

#include "common/utf16_text.h"
#include "tools/json/utf8_path.h"

namespace zarn::tools {
namespace {

namespace fs = std::filesystem;

constexpr wchar_t kModuleName[] = L"zarnRel.dll";

fs::path ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size())
            return fs::path(path.substr(0, length)).parent_path();
        path.resize(path.size() * 2);
    }
}

std::string Failure(const std::string& what, HRESULT hr) {
    return what + " (" + ToUtf8(Hex8(static_cast<std::uint32_t>(hr))) + ")";
}

}  // namespace

fs::path SetupModulePath(const fs::path& chosen) {
    if (!chosen.empty())
        return chosen;
    const fs::path folder = ProgramFolder();
    const fs::path beside = folder / kModuleName;
    std::error_code code;
    if (fs::exists(beside, code))
        return beside;
    return folder / (sizeof(void*) == 8 ? L"x64" : L"x86") / kModuleName;
}

win32::ComPtr<IKfxReleaseSetupScript> CreateSetupScript(const fs::path& module,
                                                        std::string& error) {
    HMODULE loaded = ::LoadLibraryW(module.c_str());
    if (!loaded) {
        error = Failure(Utf8Of(module) + " cannot be loaded", HRESULT_FROM_WIN32(::GetLastError()));
        return {};
    }
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    const auto entry = reinterpret_cast<GetClassObject>(
        reinterpret_cast<void*>(::GetProcAddress(loaded, "DllGetClassObject")));
    if (!entry) {
        error = Utf8Of(module) + " is not a COM module";
        return {};
    }
    win32::ComPtr<IClassFactory> factory;
    HRESULT hr = entry(__uuidof(ZarnSetupScript), IID_IClassFactory,
                       reinterpret_cast<void**>(factory.Receive()));
    win32::ComPtr<IKfxReleaseSetupScript> script;
    if (SUCCEEDED(hr)) {
        hr = factory->CreateInstance(nullptr, __uuidof(IKfxReleaseSetupScript),
                                     reinterpret_cast<void**>(script.Receive()));
    }
    if (FAILED(hr) || !script)
        error = Failure(Utf8Of(module) + " does not make a ZarnSetupScript", hr);
    return script;
}

}  // namespace zarn::tools
