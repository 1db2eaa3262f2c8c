#pragma once

#include "common/win32/com.h"

#include <atomic>
#include <span>

namespace zarn::win32 {

// Creates one of the module's objects: aggregated when `outer` is given, standing alone
// otherwise; answers the interface `iid` of it.
using ObjectCreator = HRESULT (*)(IUnknown* outer, REFIID iid, void** object);

class ClassFactory;

// One class of the module's object map.
struct ObjectEntry {
    const CLSID& clsid;
    ClassFactory& classObject;  // cached for the module's lifetime
    UINT registryScript;        // REGISTRY resource of the class's registry entries
};

// The COM module: its object map, its class objects, and the counts of live objects and of
// class-object locks, both updated atomically.
class CzarnRelModule {
  public:
    static CzarnRelModule& Instance();

    // ZarnReleaseScript, then ZarnSetupScript.
    static std::span<const ObjectEntry> ObjectMap();

    void ObjectCreated() { ++objects_; }
    void ObjectDestroyed() { --objects_; }
    void Lock() { ++locks_; }
    void Unlock() { --locks_; }
    bool CanUnload() const { return objects_ == 0 && locks_ == 0; }

    // The cached class object of a class of the map; CLASS_E_CLASSNOTAVAILABLE for any other.
    [[nodiscard]] HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object);

  private:
    std::atomic<long> objects_{0};
    std::atomic<long> locks_{0};
};

}  // namespace zarn::win32
