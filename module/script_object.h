#pragma once

#include "common/win32/com.h"

#include <atomic>
#include <new>

#include "common/win32/com_ptr.h"
#include "host/script_method.h"
#include "module/czarnrel_module.h"
#include "module/exception_firewall.h"
#include "module/module_ids.h"
#include "module/type_info_cache.h"

namespace zarn::win32 {

// A COM object of the module behind one dual interface, aggregatable: with an outer object its
// IUnknown methods go to the outer object, and only its inner IUnknown answers for it. Its
// IDispatch is served from the module's type library, except the host's data object (dispatch
// id kDataId), which it holds by reference: that one is served here, so that the host's object
// reaches the script as the IDispatch it is, whatever the platform's typelib reader makes of its
// type. Each live object counts in the module.
template <typename Interface, const IID& kInterfaceId, DISPID kDataId>
class ScriptObject : public Interface {
  public:
    ScriptObject(const ScriptObject&) = delete;
    ScriptObject& operator=(const ScriptObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        return controlling_->QueryInterface(iid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return controlling_->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return controlling_->Release(); }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count)
            return E_POINTER;
        *count = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
        if (!info)
            return E_POINTER;
        *info = nullptr;
        if (index != 0)
            return DISP_E_BADINDEX;
        return Firewall([&] {
            ComPtr<ITypeInfo> found;
            HRESULT hr = TypeInfoCache::Get(kInterfaceId, found);
            if (SUCCEEDED(hr))
                *info = found.Detach();
            return hr;
        });
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        if (iid != IID_NULL)
            return DISP_E_UNKNOWNINTERFACE;
        return Firewall([&] {
            ComPtr<ITypeInfo> info;
            HRESULT hr = TypeInfoCache::Get(kInterfaceId, info);
            return FAILED(hr) ? hr : ::DispGetIDsOfNames(info.get(), names, count, ids);
        });
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override {
        if (iid != IID_NULL)
            return DISP_E_UNKNOWNINTERFACE;
        if (id == kDataId)
            return InvokeData(flags, params, result, argumentError);
        ComPtr<ITypeInfo> info;
        HRESULT hr = Firewall([&] { return TypeInfoCache::Get(kInterfaceId, info); });
        if (FAILED(hr))
            return hr;
        return ::DispInvoke(static_cast<Interface*>(this), info.get(), id, flags, params, result,
                            exception, argumentError);
    }

    // Creates an object of the derived class and answers the interface asked for; the object
    // goes again when that fails.
    template <typename Derived>
    [[nodiscard]] static HRESULT Create(IUnknown* outer, REFIID iid, void** object) {
        Derived* created = new (std::nothrow) Derived(outer);
        if (!created)
            return E_OUTOFMEMORY;
        HRESULT hr = created->inner_.QueryInterface(iid, object);
        created->inner_.Release();
        return hr;
    }

  protected:
    // The host's data object, shared with the caller.
    [[nodiscard]] HRESULT GetData(IDispatch** data) {
        if (!data)
            return E_POINTER;
        *data = ComPtr<IDispatch>(data_).Detach();
        return S_OK;
    }
    // Holds the host's data object (or none) and hands it to the script when it changed.
    [[nodiscard]] HRESULT PutData(IDispatch* data) {
        return Firewall([&] {
            if (SameObject(data, data_.get()))
                return S_OK;
            ComPtr<IDispatch> held = ComPtr<IDispatch>::Share(data);
            DataReplaced(held);
            data_ = std::move(held);
            return S_OK;
        });
    }
    void DropData() { data_.Reset(); }
    // Gives the script core the new data object, or none.
    virtual void DataReplaced(const ComPtr<IDispatch>& data) = 0;

    // Runs a script method: its outcome goes to `result` and the call answers S_OK, also when
    // the method failed by throwing (then the outcome is KFX_REL_ERROR).
    template <typename Method>
    [[nodiscard]] static HRESULT Answer(::KfxReturnValue* result, Method&& method) noexcept {
        if (!result)
            return E_POINTER;
        *result = static_cast<::KfxReturnValue>(
            RunScriptMethod([&] { return static_cast<host::KfxReturnValue>(method()); }));
        return S_OK;
    }

    explicit ScriptObject(IUnknown* outer) : inner_(*this), controlling_(outer ? outer : &inner_) {
        CzarnRelModule::Instance().ObjectCreated();
    }
    virtual ~ScriptObject() { CzarnRelModule::Instance().ObjectDestroyed(); }

  private:
    // Get, put and putref of the data object: a put by value means the same as by reference.
    [[nodiscard]] HRESULT InvokeData(WORD flags, DISPPARAMS* params, VARIANT* result,
                                     UINT* argumentError) {
        if (!params)
            return E_INVALIDARG;
        if ((flags & DISPATCH_PROPERTYGET) && params->cArgs == 0) {
            if (!result)
                return S_OK;
            ::VariantInit(result);
            HRESULT hr = GetData(&result->pdispVal);
            if (SUCCEEDED(hr))
                result->vt = VT_DISPATCH;
            return hr;
        }
        if (!(flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)))
            return DISP_E_MEMBERNOTFOUND;
        if (params->cArgs != 1)
            return DISP_E_BADPARAMCOUNT;
        const VARIANT& value = params->rgvarg[0];
        switch (value.vt) {
            case VT_EMPTY:
            case VT_NULL:
                return PutData(nullptr);
            case VT_DISPATCH:
                return PutData(value.pdispVal);
            case VT_DISPATCH | VT_BYREF:
                return value.ppdispVal ? PutData(*value.ppdispVal) : E_POINTER;
            case VT_UNKNOWN: {
                ComPtr<IDispatch> dispatch;
                if (value.punkVal) {
                    HRESULT hr = value.punkVal->QueryInterface(
                        IID_IDispatch, reinterpret_cast<void**>(dispatch.Receive()));
                    if (FAILED(hr))
                        return DISP_E_TYPEMISMATCH;
                }
                return PutData(dispatch.get());
            }
            default:
                if (argumentError)
                    *argumentError = 0;
                return DISP_E_TYPEMISMATCH;
        }
    }

    // The object's own IUnknown, which never delegates: it holds the reference count.
    class Inner final : public IUnknown {
      public:
        explicit Inner(ScriptObject& owner) : owner_(owner) {}

        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
            if (!object)
                return E_POINTER;
            if (iid == IID_IUnknown) {
                *object = static_cast<IUnknown*>(this);
            } else if (iid == IID_IDispatch || iid == kInterfaceId) {
                *object = static_cast<Interface*>(&owner_);
            } else {
                *object = nullptr;
                return E_NOINTERFACE;
            }
            static_cast<IUnknown*>(*object)->AddRef();
            return S_OK;
        }
        ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
        ULONG STDMETHODCALLTYPE Release() override {
            const ULONG left = --references_;
            if (left == 0)
                delete &owner_;
            return left;
        }

      private:
        ScriptObject& owner_;
        std::atomic<ULONG> references_{1};
    };

    Inner inner_;
    IUnknown* controlling_;
    ComPtr<IDispatch> data_;
};

}  // namespace zarn::win32
