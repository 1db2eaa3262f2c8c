#include "module/zarn_release_script.h"

#include "host/win32/dispatch_host.h"
#include "module/module_ids.h"
#include "module/module_services.h"
#include "module/script_object.h"
#include "release/release_script.h"

namespace zarn::win32 {
namespace {

class ZarnReleaseScript final : public ScriptObject<IKfxReleaseScript, IID_IKfxReleaseScript> {
  public:
    explicit ZarnReleaseScript(IUnknown* outer) : ScriptObject(outer), script_(ModuleServices()) {}

    HRESULT STDMETHODCALLTYPE OpenScript(::KfxReturnValue* result) override {
        return Answer(result, [&] { return script_.OpenScript(); });
    }
    HRESULT STDMETHODCALLTYPE ReleaseDoc(::KfxReturnValue* result) override {
        return Answer(result, [&] { return script_.ReleaseDoc(); });
    }
    HRESULT STDMETHODCALLTYPE CloseScript(::KfxReturnValue* result) override {
        return Answer(result, [&] {
            data_.Reset();
            return script_.CloseScript();
        });
    }

    HRESULT STDMETHODCALLTYPE get_DocumentData(ReleaseData* data) override {
        if (!data)
            return E_POINTER;
        *data = ComPtr<IDispatch>(data_).Detach();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE putref_DocumentData(ReleaseData data) override {
        return Firewall([&] {
            if (SameObject(data, data_.get()))
                return S_OK;
            ComPtr<IDispatch> held = ComPtr<IDispatch>::Share(data);
            script_.SetDocumentData(held ? DispatchReleaseData(held) : nullptr);
            data_ = std::move(held);
            return S_OK;
        });
    }

  private:
    ReleaseScript script_;
    ComPtr<IDispatch> data_;
};

}  // namespace

HRESULT CreateZarnReleaseScript(IUnknown* outer, REFIID iid, void** object) {
    return ZarnReleaseScript::Create<ZarnReleaseScript>(outer, iid, object);
}

}  // namespace zarn::win32
