#include "module/zarn_setup_script.h"

#include "common/win32/bstr.h"
#include "host/win32/dispatch_host.h"
#include "module/module_ids.h"
#include "module/module_services.h"
#include "module/script_object.h"
#include "setup/setup_script.h"

namespace zarn::win32 {
namespace {

// The dispatch id of SetupData in the type library.
constexpr DISPID kSetupDataId = 0x60020004;

class ZarnSetupScript final
    : public ScriptObject<IKfxReleaseSetupScript, IID_IKfxReleaseSetupScript, kSetupDataId> {
  public:
    explicit ZarnSetupScript(IUnknown* outer)
        : ScriptObject(outer), script_(ModuleServices(), ModuleSheets()) {}

    HRESULT STDMETHODCALLTYPE OpenScript(::KfxReturnValue* result) override {
        return Answer(result, [&] { return script_.OpenScript(); });
    }
    HRESULT STDMETHODCALLTYPE RunUI(::KfxReturnValue* result) override {
        return Answer(result, [&] { return script_.RunUI(); });
    }
    HRESULT STDMETHODCALLTYPE CloseScript(::KfxReturnValue* result) override {
        return Answer(result, [&] { return script_.CloseScript(); });
    }
    HRESULT STDMETHODCALLTYPE ActionEvent(::KfxActionValue actionId, BSTR strData1, BSTR strData2,
                                          ::KfxReturnValue* result) override {
        return Answer(result, [&] {
            return script_.ActionEvent(actionId, FromBstr(strData1), FromBstr(strData2));
        });
    }

    HRESULT STDMETHODCALLTYPE get_SetupData(ReleaseSetupData* data) override {
        return GetData(data);
    }
    HRESULT STDMETHODCALLTYPE putref_SetupData(ReleaseSetupData data) override {
        return PutData(data);
    }

  private:
    void DataReplaced(const ComPtr<IDispatch>& data) override {
        script_.SetSetupData(data ? DispatchReleaseSetupData(data) : nullptr);
    }

    SetupScript script_;
};

}  // namespace

HRESULT CreateZarnSetupScript(IUnknown* outer, REFIID iid, void** object) {
    return ZarnSetupScript::Create<ZarnSetupScript>(outer, iid, object);
}

}  // namespace zarn::win32
