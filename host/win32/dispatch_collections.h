#pragma once

#include <memory>

#include "host/capture_host.h"
#include "host/win32/dispatch_object.h"

namespace zarn::win32 {

// The host's collections and their members, each over the host object's IDispatch.
std::shared_ptr<host::ICustomProperties> DispatchCustomProperties(ComPtr<IDispatch> object);
std::shared_ptr<host::IValues> DispatchValues(ComPtr<IDispatch> object);
std::shared_ptr<host::IImageFiles> DispatchImageFiles(ComPtr<IDispatch> object);
std::shared_ptr<host::ILinks> DispatchLinks(ComPtr<IDispatch> object);
std::shared_ptr<host::IIndexFields> DispatchIndexFields(ComPtr<IDispatch> object);
// The batch variable names: the host's string collection queried under either of its two
// interface ids, then its enumerator as IEnumVARIANT.
[[nodiscard]] HRESULT DispatchBatchVariableNames(ComPtr<IDispatch> object,
                                                 std::shared_ptr<host::INameEnumerator>& names);

// Reads a child object of `owner` and wraps it; the out-parameter is written only on success.
template <typename Interface, typename Wrap>
[[nodiscard]] HRESULT GetWrapped(DispatchObject& owner, const wchar_t* name,
                                 std::shared_ptr<Interface>& out, Wrap wrap,
                                 const Arguments& arguments = Arguments()) {
    ComPtr<IDispatch> child;
    HRESULT hr = owner.GetChild(name, child, arguments);
    if (SUCCEEDED(hr))
        out = wrap(std::move(child));
    return hr;
}

}  // namespace zarn::win32
