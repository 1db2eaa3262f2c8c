#pragma once

// zarnRel.dll loaded as a host loads it, and its scripts driven only by member name through
// IDispatch, as the capture host drives them.

#include <string>

#include "common/win32/com.h"
#include "common/win32/com_ptr.h"

namespace zarn::test {

// The module's fixed identifiers, written out so that a changed one fails a test.
inline constexpr wchar_t kAppId[] = L"{A366A4B5-363C-4B47-AB7C-3EECBD700EFB}";
inline constexpr wchar_t kLibId[] = L"{79C562F6-2173-486C-BD2C-16410BF24848}";
inline constexpr wchar_t kReleaseClassId[] = L"{A26C3504-6E4B-4F30-8E26-D60F8FAE2965}";
inline constexpr wchar_t kSetupClassId[] = L"{521A8C2B-181E-4D1D-8185-8A9BEF86685C}";
inline constexpr wchar_t kReleaseProgId[] = L"zarnRel.ZarnReleaseScript";
inline constexpr wchar_t kSetupProgId[] = L"zarnRel.ZarnSetupScript";

// The module, loaded from beside the test program for the whole run.
class Module {
  public:
    static HMODULE Handle();
    static std::wstring Path();
    static HRESULT Register();
    static HRESULT Unregister();
    static HRESULT CanUnloadNow();
    static HRESULT GetClassObject(const wchar_t* classId, REFIID iid, void** object);
};

// A script object called by name.
class Script {
  public:
    // What Call and ActionEvent answer when the call itself failed.
    static constexpr int kCallFailed = -1000;

    // Created by ProgID through COM, as the host creates it; empty when that failed.
    static Script Create(const wchar_t* progId);

    // The method's KfxReturnValue.
    int Call(const wchar_t* method);
    int ActionEvent(int action, const wchar_t* data1, const wchar_t* data2);
    HRESULT PutRef(const wchar_t* property, IDispatch* value);
    win32::ComPtr<IDispatch> Get(const wchar_t* property);
    IDispatch* Object() const { return object_.get(); }

  private:
    DISPID Id(const wchar_t* name);
    HRESULT Invoke(const wchar_t* name, WORD flags, DISPPARAMS& params, VARIANT& result);

    win32::ComPtr<IDispatch> object_;
};

// The default value (or the named value) of a key below HKEY_CLASSES_ROOT; "" marks a missing key
// or value.
std::wstring ClassesValue(const std::wstring& key, const wchar_t* value = nullptr);
bool ClassesKeyExists(const std::wstring& key);

}  // namespace zarn::test
