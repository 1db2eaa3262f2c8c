#include "tests/win32/module_harness.h"

#include <stdexcept>

#include "common/win32/variant.h"

namespace zarn::test {
namespace {

template <class Function>
Function Entry(const char* name) {
    FARPROC address = ::GetProcAddress(Module::Handle(), name);
    if (!address)
        throw std::runtime_error(std::string("zarnRel.dll does not export ") + name);
    return reinterpret_cast<Function>(reinterpret_cast<void*>(address));
}

using NoArguments = HRESULT(STDAPICALLTYPE*)();
using GetClassObjectEntry = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

}  // namespace

HMODULE Module::Handle() {
    static HMODULE module = ::LoadLibraryW(L"zarnRel.dll");
    if (!module)
        throw std::runtime_error("cannot load zarnRel.dll");
    return module;
}

std::wstring Module::Path() {
    wchar_t path[MAX_PATH];
    DWORD length = ::GetModuleFileNameW(Handle(), path, MAX_PATH);
    return std::wstring(path, length);
}

HRESULT Module::Register() {
    return Entry<NoArguments>("DllRegisterServer")();
}

HRESULT Module::Unregister() {
    return Entry<NoArguments>("DllUnregisterServer")();
}

HRESULT Module::CanUnloadNow() {
    return Entry<NoArguments>("DllCanUnloadNow")();
}

HRESULT Module::GetClassObject(const wchar_t* classId, REFIID iid, void** object) {
    CLSID clsid;
    if (FAILED(::CLSIDFromString(classId, &clsid)))
        return E_INVALIDARG;
    return Entry<GetClassObjectEntry>("DllGetClassObject")(clsid, iid, object);
}

Script Script::Create(const wchar_t* progId) {
    Script script;
    CLSID clsid{};
    if (SUCCEEDED(::CLSIDFromProgID(progId, &clsid)))
        ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                           reinterpret_cast<void**>(script.object_.Receive()));
    return script;
}

DISPID Script::Id(const wchar_t* name) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return id;
}

HRESULT Script::Invoke(const wchar_t* name, WORD flags, DISPPARAMS& params, VARIANT& result) {
    if (!object_)
        return E_POINTER;
    EXCEPINFO exception{};
    UINT argumentError = 0;
    return object_->Invoke(Id(name), IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &result,
                           &exception, &argumentError);
}

int Script::Call(const wchar_t* method) {
    DISPPARAMS params{};
    win32::Variant result;
    if (FAILED(Invoke(method, DISPATCH_METHOD, params, *result.get())) || (*result).vt != VT_I4)
        return kCallFailed;
    return (*result).lVal;
}

int Script::ActionEvent(int action, const wchar_t* data1, const wchar_t* data2) {
    VARIANT arguments[3];  // last argument first
    arguments[2].vt = VT_I4;
    arguments[2].lVal = action;
    arguments[1].vt = VT_BSTR;
    arguments[1].bstrVal = ::SysAllocString(data1);
    arguments[0].vt = VT_BSTR;
    arguments[0].bstrVal = ::SysAllocString(data2);
    DISPPARAMS params{arguments, nullptr, 3, 0};
    win32::Variant result;
    HRESULT hr = Invoke(L"ActionEvent", DISPATCH_METHOD, params, *result.get());
    ::SysFreeString(arguments[1].bstrVal);
    ::SysFreeString(arguments[0].bstrVal);
    return FAILED(hr) || (*result).vt != VT_I4 ? kCallFailed : (*result).lVal;
}

HRESULT Script::PutRef(const wchar_t* property, IDispatch* value) {
    VARIANT argument;
    argument.vt = VT_DISPATCH;
    argument.pdispVal = value;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&argument, &named, 1, 1};
    win32::Variant result;
    return Invoke(property, DISPATCH_PROPERTYPUTREF, params, *result.get());
}

win32::ComPtr<IDispatch> Script::Get(const wchar_t* property) {
    DISPPARAMS params{};
    win32::Variant result;
    Invoke(property, DISPATCH_PROPERTYGET, params, *result.get());
    win32::ComPtr<IDispatch> object;
    if ((*result).vt == VT_DISPATCH)
        object = win32::ComPtr<IDispatch>::Share((*result).pdispVal);
    return object;
}

std::wstring ClassesValue(const std::wstring& key, const wchar_t* value) {
    wchar_t data[1024];
    DWORD size = sizeof data;
    if (::RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), value, RRF_RT_REG_SZ, nullptr, data,
                       &size) != ERROR_SUCCESS)
        return L"";
    return std::wstring(data);
}

bool ClassesKeyExists(const std::wstring& key) {
    HKEY opened;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(opened);
    return true;
}

}  // namespace zarn::test
