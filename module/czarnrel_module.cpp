#include "module/czarnrel_module.h"

#include "module/class_factory.h"
#include "module/module_ids.h"
#include "module/zarn_release_script.h"
#include "module/zarn_setup_script.h"

namespace zarn::win32 {
namespace {

constexpr UINT kReleaseScriptRegistry = 11001;
constexpr UINT kSetupScriptRegistry = 11002;

// The class objects are constant-initialised, so that nothing is built while the module loads.
constinit ClassFactory releaseScriptClass(&CreateZarnReleaseScript);
constinit ClassFactory setupScriptClass(&CreateZarnSetupScript);

const ObjectEntry kObjectMap[] = {
    {CLSID_ZarnReleaseScript, releaseScriptClass, kReleaseScriptRegistry},
    {CLSID_ZarnSetupScript, setupScriptClass, kSetupScriptRegistry},
};

}  // namespace

CzarnRelModule& CzarnRelModule::Instance() {
    static constinit CzarnRelModule module;
    return module;
}

std::span<const ObjectEntry> CzarnRelModule::ObjectMap() {
    return kObjectMap;
}

HRESULT CzarnRelModule::GetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    for (const ObjectEntry& entry : kObjectMap) {
        if (entry.clsid == clsid)
            return entry.classObject.QueryInterface(iid, object);
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

}  // namespace zarn::win32
