#pragma once

#include "common/win32/com.h"

#include <atomic>

#include "module/czarnrel_module.h"

namespace zarn::win32 {

// The class object of one class. It lives as long as the module, which caches it: its own
// references do not keep the module loaded; only LockServer does.
class ClassFactory final : public IClassFactory {
  public:
    constexpr explicit ClassFactory(ObjectCreator create) : create_(create) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

  private:
    ObjectCreator create_;
    std::atomic<ULONG> references_{1};
};

}  // namespace zarn::win32
