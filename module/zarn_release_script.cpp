#include "module/zarn_release_script.h"

#include "host/win32/dispatch_host.h"
#include "module/module_ids.h"
#include "module/module_services.h"
#include "module/script_object.h"
#include "release/release_script.h"

namespace zarn::win32 {
namespace {

// The dispatch id of DocumentData in the type library.
constexpr DISPID kDocumentDataId = 0x60030003;

class ZarnReleaseScript final
    : public ScriptObject<IKfxReleaseScript, IID_IKfxReleaseScript, kDocumentDataId> {
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
            DropData();
            return script_.CloseScript();
        });
    }

    HRESULT STDMETHODCALLTYPE get_DocumentData(ReleaseData* data) override { return GetData(data); }
    HRESULT STDMETHODCALLTYPE putref_DocumentData(ReleaseData data) override {
        return PutData(data);
    }

  private:
    void DataReplaced(const ComPtr<IDispatch>& data) override {
        script_.SetDocumentData(data ? DispatchReleaseData(data) : nullptr);
    }

    ReleaseScript script_;
};

}  // namespace

HRESULT CreateZarnReleaseScript(IUnknown* outer, REFIID iid, void** object) {
    return ZarnReleaseScript::Create<ZarnReleaseScript>(outer, iid, object);
}

}  // namespace zarn::win32
