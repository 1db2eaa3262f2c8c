#pragma once

#include "common/win32/com.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/win32/com_ptr.h"

namespace zarn::win32 {

// The arguments of one late-bound call, in the order the member declares them.
class Arguments {
  public:
    Arguments() = default;
    ~Arguments();
    Arguments(const Arguments&) = delete;
    Arguments& operator=(const Arguments&) = delete;

    Arguments& Int32(std::int32_t value);        // VT_I4
    Arguments& Int(int value);                   // VT_INT
    Arguments& Text(std::u16string_view value);  // VT_BSTR

    // IDispatch::Invoke takes its arguments last one first.
    DISPPARAMS Params() const;

  private:
    VARIANT& Prepend();

    std::vector<VARIANT> reversed_;
};

// One of the host's objects, reached only through IDispatch by member name: each name is
// looked up once per object, then invoked. A member that raises an error or fails in any way
// answers its failure code.
class DispatchObject {
  public:
    explicit DispatchObject(ComPtr<IDispatch> object) : object_(std::move(object)) {}

    [[nodiscard]] HRESULT Get(const wchar_t* name, VARIANT& result,
                              const Arguments& arguments = Arguments());
    [[nodiscard]] HRESULT Put(const wchar_t* name, const Arguments& value);
    [[nodiscard]] HRESULT Call(const wchar_t* name, const Arguments& arguments);

    // A property read as a text, a 32-bit number or one of the host's objects.
    [[nodiscard]] HRESULT GetText(const wchar_t* name, std::u16string& text);
    [[nodiscard]] HRESULT GetInt32(const wchar_t* name, std::int32_t& value);
    [[nodiscard]] HRESULT GetChild(const wchar_t* name, ComPtr<IDispatch>& child,
                                   const Arguments& arguments = Arguments());

    // The object's enumerator (DISPID_NEWENUM).
    [[nodiscard]] HRESULT NewEnum(ComPtr<IUnknown>& enumerator);

    IDispatch* get() const { return object_.get(); }

  private:
    [[nodiscard]] HRESULT Id(const wchar_t* name, DISPID& id);
    [[nodiscard]] HRESULT Invoke(DISPID id, WORD flags, DISPPARAMS& params, VARIANT& result);

    ComPtr<IDispatch> object_;
    std::vector<std::pair<std::wstring, DISPID>> ids_;
};

// What a host's VARIANT holds, converted: scalar values only, so that no conversion calls back
// into an object. A failed conversion answers DISP_E_TYPEMISMATCH.
[[nodiscard]] HRESULT VariantText(const VARIANT& value, std::u16string& text);
[[nodiscard]] HRESULT VariantInt32(const VARIANT& value, std::int32_t& number);
[[nodiscard]] HRESULT VariantDispatch(const VARIANT& value, ComPtr<IDispatch>& object);

}  // namespace zarn::win32
