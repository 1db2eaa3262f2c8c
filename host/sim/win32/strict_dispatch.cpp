#include "host/sim/win32/strict_dispatch.h"

#include <algorithm>
#include <cwchar>
#include <new>

namespace zarn::host::sim {

std::atomic<int> StrictDispatch::alive_{0};
std::atomic<int> StrictDispatch::foreignQueries_{0};
std::atomic<int> StrictDispatch::nameLookups_{0};
std::atomic<int> StrictDispatch::typeMismatches_{0};

IDispatch* StrictDispatch::Create(std::vector<Member> members, std::vector<IID> extraInterfaces) {
    return new StrictDispatch(std::move(members), std::move(extraInterfaces));
}

void StrictDispatch::ResetCounters() {
    foreignQueries_ = 0;
    nameLookups_ = 0;
    typeMismatches_ = 0;
}

StrictDispatch::StrictDispatch(std::vector<Member> members, std::vector<IID> extraInterfaces)
    : members_(std::move(members)), extraInterfaces_(std::move(extraInterfaces)) {
    for (std::size_t i = 0; i < members_.size(); ++i) {
        if (members_[i].id == 0)
            members_[i].id = static_cast<DISPID>(i + 1);
    }
    ++alive_;
}

StrictDispatch::~StrictDispatch() {
    --alive_;
}

HRESULT StrictDispatch::QueryInterface(REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    bool known =
        iid == IID_IUnknown || iid == IID_IDispatch ||
        std::find(extraInterfaces_.begin(), extraInterfaces_.end(), iid) != extraInterfaces_.end();
    if (!known) {
        *object = nullptr;
        ++foreignQueries_;
        return E_NOINTERFACE;
    }
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
}

ULONG StrictDispatch::AddRef() {
    return ++references_;
}

ULONG StrictDispatch::Release() {
    ULONG left = --references_;
    if (left == 0)
        delete this;
    return left;
}

HRESULT StrictDispatch::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

HRESULT StrictDispatch::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    *info = nullptr;
    return E_NOTIMPL;
}

HRESULT StrictDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    ++nameLookups_;
    if (count != 1)
        return DISP_E_UNKNOWNNAME;
    for (const Member& member : members_) {
        if (_wcsicmp(member.name.c_str(), names[0]) == 0) {
            ids[0] = member.id;
            return S_OK;
        }
    }
    ids[0] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

const StrictDispatch::Member* StrictDispatch::Find(DISPID id, WORD flags) const {
    for (const Member& member : members_) {
        if (member.id == id && (member.flags & flags) != 0)
            return &member;
    }
    return nullptr;
}

HRESULT StrictDispatch::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                               VARIANT* result, EXCEPINFO* exception, UINT* argumentError) {
    const Member* member = Find(id, flags);
    if (!member)
        return DISP_E_MEMBERNOTFOUND;
    bool put = (flags & DISPATCH_PROPERTYPUT) != 0;
    if (!params || params->cArgs != member->argumentCount || params->cNamedArgs != (put ? 1u : 0u))
        return DISP_E_BADPARAMCOUNT;
    CallArguments arguments(*params);
    for (UINT i = 0; i < arguments.Count(); ++i) {
        VARTYPE type = V_VT(&arguments.At(i));
        VARTYPE expected = member->argumentTypes[i];
        bool matches = expected == VT_VARIANT ? type == VT_I4 || type == VT_BSTR : type == expected;
        if (!matches) {
            ++typeMismatches_;
            if (argumentError)
                *argumentError = params->cArgs - 1 - i;
            return DISP_E_TYPEMISMATCH;
        }
    }
    VARIANT answer;
    ::VariantInit(&answer);
    // No exception may leave a COM method.
    HRESULT hr = E_UNEXPECTED;
    try {
        hr = member->handler(arguments, answer);
    } catch (const std::bad_alloc&) {
        hr = E_OUTOFMEMORY;
    } catch (...) {
        hr = E_UNEXPECTED;
    }
    if (FAILED(hr)) {
        ::VariantClear(&answer);
        if (exception) {
            *exception = EXCEPINFO{};
            exception->scode = hr;
            exception->bstrSource = ::SysAllocString(L"host");
            exception->bstrDescription = ::SysAllocString(L"the host refused the call");
        }
        return DISP_E_EXCEPTION;
    }
    if (result)
        *result = answer;
    else
        ::VariantClear(&answer);
    return S_OK;
}

}  // namespace zarn::host::sim
