#include "host/win32/dispatch_object.h"

#include <oleauto.h>

#include "common/win32/bstr.h"
#include "common/win32/variant.h"

namespace zarn::win32 {
namespace {

constexpr LCID kLocale = LOCALE_USER_DEFAULT;

bool IsScalar(VARTYPE type) {
    switch (type) {
        case VT_EMPTY:
        case VT_I1:
        case VT_I2:
        case VT_I4:
        case VT_I8:
        case VT_UI1:
        case VT_UI2:
        case VT_UI4:
        case VT_UI8:
        case VT_INT:
        case VT_UINT:
        case VT_BOOL:
        case VT_R4:
        case VT_R8:
        case VT_CY:
        case VT_DATE:
        case VT_DECIMAL:
        case VT_BSTR:
            return true;
        default:
            return false;
    }
}

HRESULT Convert(const VARIANT& value, VARTYPE type, Variant& converted) {
    if (!IsScalar(value.vt))
        return DISP_E_TYPEMISMATCH;
    // VariantChangeType reads its source without changing it; the declaration lacks the const.
    return ::VariantChangeType(converted.get(), const_cast<VARIANT*>(&value), 0, type);
}

// A raised error leaves texts in the exception record that the caller must free.
void ClearException(EXCEPINFO& exception) {
    if (exception.pfnDeferredFillIn)
        exception.pfnDeferredFillIn(&exception);
    ::SysFreeString(exception.bstrSource);
    ::SysFreeString(exception.bstrDescription);
    ::SysFreeString(exception.bstrHelpFile);
}

}  // namespace

Arguments::~Arguments() {
    for (VARIANT& value : reversed_)
        ::VariantClear(&value);
}

VARIANT& Arguments::Prepend() {
    VARIANT empty;
    ::VariantInit(&empty);
    return *reversed_.insert(reversed_.begin(), empty);
}

Arguments& Arguments::Int32(std::int32_t value) {
    VARIANT& argument = Prepend();
    argument.vt = VT_I4;
    argument.lVal = value;
    return *this;
}

Arguments& Arguments::Int(int value) {
    VARIANT& argument = Prepend();
    argument.vt = VT_INT;
    argument.intVal = value;
    return *this;
}

Arguments& Arguments::Text(std::u16string_view value) {
    Bstr text(value);
    VARIANT& argument = Prepend();
    argument.vt = VT_BSTR;
    argument.bstrVal = text.Detach();
    return *this;
}

DISPPARAMS Arguments::Params() const {
    DISPPARAMS params{};
    // Invoke does not change its in-arguments; DISPPARAMS just lacks the const.
    params.rgvarg = const_cast<VARIANT*>(reversed_.data());
    params.cArgs = static_cast<UINT>(reversed_.size());
    return params;
}

HRESULT DispatchObject::Id(const wchar_t* name, DISPID& id) {
    for (const auto& [known, knownId] : ids_) {
        if (known == name) {
            id = knownId;
            return S_OK;
        }
    }
    if (!object_)
        return E_POINTER;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID found = DISPID_UNKNOWN;
    HRESULT hr = object_->GetIDsOfNames(IID_NULL, names, 1, kLocale, &found);
    if (FAILED(hr))
        return hr;
    ids_.emplace_back(name, found);
    id = found;
    return S_OK;
}

HRESULT DispatchObject::Invoke(DISPID id, WORD flags, DISPPARAMS& params, VARIANT& result) {
    EXCEPINFO exception{};
    UINT argumentError = 0;
    HRESULT hr =
        object_->Invoke(id, IID_NULL, kLocale, flags, &params, &result, &exception, &argumentError);
    if (hr == DISP_E_EXCEPTION) {
        ClearException(exception);
        // The raised code, where the object gave one, is the failure.
        if (FAILED(exception.scode))
            hr = exception.scode;
    }
    return hr;
}

HRESULT DispatchObject::Get(const wchar_t* name, VARIANT& result, const Arguments& arguments) {
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = Id(name, id);
    if (FAILED(hr))
        return hr;
    DISPPARAMS params = arguments.Params();
    // An indexed member (a collection's Item) may be a method or a property.
    const WORD flags =
        params.cArgs == 0 ? DISPATCH_PROPERTYGET : DISPATCH_METHOD | DISPATCH_PROPERTYGET;
    return Invoke(id, flags, params, result);
}

HRESULT DispatchObject::Put(const wchar_t* name, const Arguments& value) {
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = Id(name, id);
    if (FAILED(hr))
        return hr;
    DISPPARAMS params = value.Params();
    DISPID named = DISPID_PROPERTYPUT;
    params.rgdispidNamedArgs = &named;
    params.cNamedArgs = 1;
    Variant ignored;
    return Invoke(id, DISPATCH_PROPERTYPUT, params, *ignored.get());
}

HRESULT DispatchObject::Call(const wchar_t* name, const Arguments& arguments) {
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = Id(name, id);
    if (FAILED(hr))
        return hr;
    DISPPARAMS params = arguments.Params();
    Variant ignored;
    return Invoke(id, DISPATCH_METHOD, params, *ignored.get());
}

HRESULT DispatchObject::GetText(const wchar_t* name, std::u16string& text) {
    Variant value;
    HRESULT hr = Get(name, *value.get());
    return FAILED(hr) ? hr : VariantText(*value, text);
}

HRESULT DispatchObject::GetInt32(const wchar_t* name, std::int32_t& number) {
    Variant value;
    HRESULT hr = Get(name, *value.get());
    return FAILED(hr) ? hr : VariantInt32(*value, number);
}

HRESULT DispatchObject::GetChild(const wchar_t* name, ComPtr<IDispatch>& child,
                                 const Arguments& arguments) {
    Variant value;
    HRESULT hr = Get(name, *value.get(), arguments);
    return FAILED(hr) ? hr : VariantDispatch(*value, child);
}

HRESULT DispatchObject::NewEnum(ComPtr<IUnknown>& enumerator) {
    if (!object_)
        return E_POINTER;
    DISPPARAMS params{};
    Variant value;
    HRESULT hr =
        Invoke(DISPID_NEWENUM, DISPATCH_METHOD | DISPATCH_PROPERTYGET, params, *value.get());
    if (FAILED(hr))
        return hr;
    const VARIANT& result = *value;
    if ((result.vt != VT_UNKNOWN && result.vt != VT_DISPATCH) || !result.punkVal)
        return DISP_E_TYPEMISMATCH;
    enumerator = ComPtr<IUnknown>::Share(result.punkVal);
    return S_OK;
}

HRESULT VariantText(const VARIANT& value, std::u16string& text) {
    if (value.vt == VT_BSTR) {
        text = FromBstr(value.bstrVal);
        return S_OK;
    }
    Variant converted;
    HRESULT hr = Convert(value, VT_BSTR, converted);
    if (SUCCEEDED(hr))
        text = FromBstr((*converted).bstrVal);
    return hr;
}

HRESULT VariantInt32(const VARIANT& value, std::int32_t& number) {
    if (value.vt == VT_I4) {
        number = value.lVal;
        return S_OK;
    }
    Variant converted;
    HRESULT hr = Convert(value, VT_I4, converted);
    if (SUCCEEDED(hr))
        number = (*converted).lVal;
    return hr;
}

HRESULT VariantDispatch(const VARIANT& value, ComPtr<IDispatch>& object) {
    if ((value.vt != VT_DISPATCH && value.vt != VT_UNKNOWN) || !value.punkVal)
        return DISP_E_TYPEMISMATCH;
    if (value.vt == VT_DISPATCH) {
        object = ComPtr<IDispatch>::Share(value.pdispVal);
        return S_OK;
    }
    return value.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(object.Receive()));
}

}  // namespace zarn::win32
