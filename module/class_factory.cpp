#include "module/class_factory.h"

#include "module/exception_firewall.h"

namespace zarn::win32 {

HRESULT ClassFactory::QueryInterface(REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    // An outer object may ask only for the inner object's own IUnknown.
    if (outer && iid != IID_IUnknown)
        return CLASS_E_NOAGGREGATION;
    return Firewall([&] { return create_(outer, iid, object); });
}

HRESULT ClassFactory::LockServer(BOOL lock) {
    if (lock)
        CzarnRelModule::Instance().Lock();
    else
        CzarnRelModule::Instance().Unlock();
    return S_OK;
}

}  // namespace zarn::win32
