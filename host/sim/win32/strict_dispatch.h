#pragma once

// A host object as strict as the capture host's own: it answers IUnknown, IDispatch and the
// interface ids it is given and refuses every other query; members are found by name (any
// letter case) and take exactly their argument types; a failure is raised as DISP_E_EXCEPTION.

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "common/win32/com.h"

namespace zarn::host::sim {

// The arguments of one call, first argument first.
class CallArguments {
  public:
    CallArguments(const DISPPARAMS& params) : params_(params) {}
    UINT Count() const { return params_.cArgs; }
    const VARIANT& At(UINT index) const { return params_.rgvarg[params_.cArgs - 1 - index]; }

  private:
    const DISPPARAMS& params_;
};

class StrictDispatch final : public IDispatch {
  public:
    // Answers one call into `result`; a failure code is raised to the caller.
    using Handler = std::function<HRESULT(const CallArguments& arguments, VARIANT& result)>;

    struct Member {
        std::wstring name;
        WORD flags;  // DISPATCH_PROPERTYGET, DISPATCH_PROPERTYPUT or DISPATCH_METHOD
        UINT argumentCount;
        VARTYPE argumentTypes[6];  // VT_VARIANT: a collection key, VT_I4 or VT_BSTR
        Handler handler;
        DISPID id = 0;  // 0: numbered in the order of the members
    };

    // A new object with one reference, held by the caller.
    static IDispatch* Create(std::vector<Member> members, std::vector<IID> extraInterfaces = {});

    // Objects alive and calls refused, over all objects: a test expects both back to zero.
    static int Alive() { return alive_; }
    static int ForeignQueries() { return foreignQueries_; }
    static int NameLookups() { return nameLookups_; }
    static int TypeMismatches() { return typeMismatches_; }
    static void ResetCounters();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override;

  private:
    StrictDispatch(std::vector<Member> members, std::vector<IID> extraInterfaces);
    ~StrictDispatch();
    const Member* Find(DISPID id, WORD flags) const;

    std::atomic<ULONG> references_{1};
    std::vector<Member> members_;
    std::vector<IID> extraInterfaces_;

    static std::atomic<int> alive_;
    static std::atomic<int> foreignQueries_;
    static std::atomic<int> nameLookups_;
    static std::atomic<int> typeMismatches_;
};

}  // namespace zarn::host::sim
