#include "host/sim/win32/sim_host_dispatch.h"

#include <atomic>

#include "common/win32/bstr.h"
#include "host/sim/win32/strict_dispatch.h"

namespace zarn::host::sim {
namespace {

using host::CollectionKey;
using Member = StrictDispatch::Member;

// The interface ids of the host's that the connector queries.
constexpr IID kIidRowValues = {
    0x2044A7E0, 0xC29E, 0x49E1, {0xA8, 0x62, 0xAA, 0xB6, 0x02, 0x0E, 0xD0, 0x2F}};
constexpr IID kIidStringCollection = {
    0x2F8DEB57, 0x941D, 0x4E2C, {0x81, 0xB5, 0xD1, 0x6E, 0x3B, 0x82, 0xC2, 0xC8}};

// A key argument: a position or a name.
constexpr VARTYPE kKey = VT_VARIANT;

std::u16string Text(const VARIANT& value) {
    return win32::FromBstr(V_BSTR(&value));
}

CollectionKey Key(const VARIANT& value) {
    if (V_VT(&value) == VT_I4)
        return V_I4(&value);
    return Text(value);
}

HRESULT SetText(HResult hr, const std::u16string& text, VARIANT& result) {
    if (FAILED(hr))
        return hr;
    V_VT(&result) = VT_BSTR;
    V_BSTR(&result) = win32::Bstr(text).Detach();
    return S_OK;
}

HRESULT SetInt(HResult hr, std::int32_t number, VARIANT& result) {
    if (FAILED(hr))
        return hr;
    V_VT(&result) = VT_I4;
    V_I4(&result) = number;
    return S_OK;
}

HRESULT SetObject(HResult hr, IDispatch* object, VARIANT& result) {
    if (FAILED(hr))
        return hr;
    V_VT(&result) = VT_DISPATCH;
    V_DISPATCH(&result) = object;
    return S_OK;
}

template <class Object, class Read>
Member TextGet(const wchar_t* name, std::shared_ptr<Object> object, Read read) {
    return {
        name, DISPATCH_PROPERTYGET, 0, {}, [object, read](const CallArguments&, VARIANT& result) {
            std::u16string text;
            HResult hr = ((*object).*read)(text);
            return SetText(hr, text, result);
        }};
}

template <class Object, class Read>
Member IntGet(const wchar_t* name, std::shared_ptr<Object> object, Read read) {
    return {
        name, DISPATCH_PROPERTYGET, 0, {}, [object, read](const CallArguments&, VARIANT& result) {
            std::int32_t number = 0;
            HResult hr = ((*object).*read)(number);
            return SetInt(hr, number, result);
        }};
}

// A child object, read with `read` and shown through `wrap`.
template <class Object, class Child, class Wrap>
Member ObjectGet(const wchar_t* name, std::shared_ptr<Object> object,
                 HResult (Object::*read)(std::shared_ptr<Child>&), Wrap wrap) {
    return {name,
            DISPATCH_PROPERTYGET,
            0,
            {},
            [object, read, wrap](const CallArguments&, VARIANT& result) {
                std::shared_ptr<Child> child;
                HResult hr = ((*object).*read)(child);
                return SetObject(hr, SUCCEEDED(hr) ? wrap(child) : nullptr, result);
            }};
}

// Item(key) of a collection.
template <class Object, class Child, class Wrap>
Member ItemGet(std::shared_ptr<Object> object,
               HResult (Object::*read)(const CollectionKey&, std::shared_ptr<Child>&), Wrap wrap) {
    return {L"Item",
            DISPATCH_PROPERTYGET,
            1,
            {kKey},
            [object, read, wrap](const CallArguments& arguments, VARIANT& result) {
                std::shared_ptr<Child> child;
                HResult hr = ((*object).*read)(Key(arguments.At(0)), child);
                return SetObject(hr, SUCCEEDED(hr) ? wrap(child) : nullptr, result);
            }};
}

IDispatch* ValueDispatch(std::shared_ptr<host::IValue> value);

IDispatch* RowValuesDispatch(std::shared_ptr<host::IRowValues> rows) {
    Member item{L"Item",
                DISPATCH_PROPERTYGET,
                1,
                {VT_I4},
                [rows](const CallArguments& arguments, VARIANT& result) {
                    std::shared_ptr<host::IValue> row;
                    HResult hr = rows->Item(V_I4(&arguments.At(0)), row);
                    return SetObject(hr, SUCCEEDED(hr) ? ValueDispatch(row) : nullptr, result);
                }};
    return StrictDispatch::Create({item, IntGet(L"Count", rows, &host::IRowValues::Count)},
                                  {kIidRowValues});
}

IDispatch* ValueDispatch(std::shared_ptr<host::IValue> value) {
    using V = host::IValue;
    Member rowValues{L"RowValues",
                     DISPATCH_PROPERTYGET,
                     1,
                     {VT_INT},
                     [value](const CallArguments& arguments, VARIANT& result) {
                         if (V_INT(&arguments.At(0)) != 0)
                             return DISP_E_BADINDEX;
                         std::shared_ptr<host::IRowValues> rows;
                         HResult hr = value->GetRowValues(rows);
                         return SetObject(hr, SUCCEEDED(hr) ? RowValuesDispatch(rows) : nullptr,
                                          result);
                     }};
    return StrictDispatch::Create({
        TextGet(L"Destination", value, &V::GetDestination),
        TextGet(L"Value", value, &V::GetValue),
        IntGet(L"SourceType", value, &V::GetSourceType),
        TextGet(L"SourceName", value, &V::GetSourceName),
        TextGet(L"TableName", value, &V::GetTableName),
        rowValues,
    });
}

IDispatch* ValuesDispatch(std::shared_ptr<host::IValues> values) {
    return StrictDispatch::Create({
        ItemGet(values, &host::IValues::GetItem, ValueDispatch),
        IntGet(L"Count", values, &host::IValues::GetCount),
    });
}

IDispatch* CustomPropertiesDispatch(std::shared_ptr<host::ICustomProperties> properties) {
    auto wrapProperty = [](std::shared_ptr<host::ICustomProperty> property) {
        return StrictDispatch::Create(
            {TextGet(L"Value", property, &host::ICustomProperty::GetValue)});
    };
    Member item{L"Item",
                DISPATCH_PROPERTYGET,
                1,
                {VT_BSTR},
                [properties, wrapProperty](const CallArguments& arguments, VARIANT& result) {
                    std::shared_ptr<host::ICustomProperty> property;
                    HResult hr = properties->GetItem(Text(arguments.At(0)), property);
                    return SetObject(hr, SUCCEEDED(hr) ? wrapProperty(property) : nullptr, result);
                }};
    Member add{L"Add",
               DISPATCH_METHOD,
               2,
               {VT_BSTR, VT_BSTR},
               [properties](const CallArguments& arguments, VARIANT&) -> HRESULT {
                   return properties->Add(Text(arguments.At(0)), Text(arguments.At(1)));
               }};
    Member remove{L"Remove",
                  DISPATCH_METHOD,
                  1,
                  {VT_BSTR},
                  [properties](const CallArguments& arguments, VARIANT&) -> HRESULT {
                      return properties->Remove(Text(arguments.At(0)));
                  }};
    return StrictDispatch::Create({item, add, remove});
}

IDispatch* ImageFilesDispatch(std::shared_ptr<host::IImageFiles> files) {
    auto wrapFile = [](std::shared_ptr<host::IImageFile> file) {
        return StrictDispatch::Create({TextGet(L"FileName", file, &host::IImageFile::GetFileName)});
    };
    return StrictDispatch::Create({
        ItemGet(files, &host::IImageFiles::GetItem, wrapFile),
        IntGet(L"Count", files, &host::IImageFiles::GetCount),
        IntGet(L"ContainsNonImageFile", files, &host::IImageFiles::GetContainsNonImageFile),
    });
}

IDispatch* LinksDispatch(std::shared_ptr<host::ILinks> links) {
    auto wrapLink = [](std::shared_ptr<host::ILink> link) {
        return StrictDispatch::Create({
            TextGet(L"Source", link, &host::ILink::GetSource),
            IntGet(L"SourceType", link, &host::ILink::GetSourceType),
            TextGet(L"Destination", link, &host::ILink::GetDestination),
        });
    };
    Member add{L"Add",
               DISPATCH_METHOD,
               3,
               {VT_BSTR, VT_I4, VT_BSTR},
               [links](const CallArguments& arguments, VARIANT&) -> HRESULT {
                   return links->Add(Text(arguments.At(0)), V_I4(&arguments.At(1)),
                                     Text(arguments.At(2)));
               }};
    Member removeAll{
        L"RemoveAll", DISPATCH_METHOD, 0, {}, [links](const CallArguments&, VARIANT&) -> HRESULT {
            return links->RemoveAll();
        }};
    return StrictDispatch::Create({
        ItemGet(links, &host::ILinks::GetItem, wrapLink),
        IntGet(L"Count", links, &host::ILinks::GetCount),
        add,
        removeAll,
    });
}

IDispatch* IndexFieldsDispatch(std::shared_ptr<host::IIndexFields> fields) {
    auto wrapField = [](std::shared_ptr<host::IIndexField> field) {
        return StrictDispatch::Create({TextGet(L"Name", field, &host::IIndexField::GetName)});
    };
    return StrictDispatch::Create({
        ItemGet(fields, &host::IIndexFields::GetItem, wrapField),
        IntGet(L"Count", fields, &host::IIndexFields::GetCount),
    });
}

// The enumerator of the batch variable names.
class NameEnumerator final : public IEnumVARIANT {
  public:
    explicit NameEnumerator(std::shared_ptr<host::INameEnumerator> names)
        : names_(std::move(names)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid != IID_IUnknown && iid != IID_IEnumVARIANT) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IEnumVARIANT*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* items, ULONG* fetched) override {
        ULONG done = 0;
        std::u16string name;
        while (done < count && names_->Next(name) == kOk) {
            V_VT(&items[done]) = VT_BSTR;
            V_BSTR(&items[done]) = win32::Bstr(name).Detach();
            ++done;
        }
        if (fetched)
            *fetched = done;
        return done == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reset() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** clone) override {
        *clone = nullptr;
        return E_NOTIMPL;
    }

  private:
    std::atomic<ULONG> references_{1};
    std::shared_ptr<host::INameEnumerator> names_;
};

IDispatch* NamesDispatch(std::shared_ptr<host::INameEnumerator> names) {
    Member newEnum{L"_NewEnum",
                   DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                   0,
                   {},
                   [names](const CallArguments&, VARIANT& result) -> HRESULT {
                       V_VT(&result) = VT_UNKNOWN;
                       V_UNKNOWN(&result) = new NameEnumerator(names);
                       return S_OK;
                   },
                   DISPID_NEWENUM};
    return StrictDispatch::Create({newEnum}, {kIidStringCollection});
}

}  // namespace

IDispatch* ReleaseDataDispatch(std::shared_ptr<host::IReleaseData> data) {
    using D = host::IReleaseData;
    Member logError{L"LogError",
                    DISPATCH_METHOD,
                    6,
                    {VT_I4, VT_I4, VT_I4, VT_BSTR, VT_BSTR, VT_I4},
                    [data](const CallArguments& a, VARIANT&) -> HRESULT {
                        return data->LogError(V_I4(&a.At(0)), V_I4(&a.At(1)), V_I4(&a.At(2)),
                                              Text(a.At(3)), Text(a.At(4)), V_I4(&a.At(5)));
                    }};
    Member sendMessage{L"SendMessage",
                       DISPATCH_METHOD,
                       3,
                       {VT_BSTR, VT_I4, VT_I4},
                       [data](const CallArguments& a, VARIANT&) -> HRESULT {
                           return data->SendDocumentMessage(Text(a.At(0)), V_I4(&a.At(1)),
                                                            V_I4(&a.At(2)));
                       }};
    return StrictDispatch::Create({
        logError,
        TextGet(L"UserName", data, &D::GetUser),
        TextGet(L"Password", data, &D::GetPassword),
        ObjectGet(L"CustomProperties", data, &D::GetCustomProperties, CustomPropertiesDispatch),
        ObjectGet(L"Values", data, &D::GetValues, ValuesDispatch),
        ObjectGet(L"ImageFiles", data, &D::GetImageFiles, ImageFilesDispatch),
        sendMessage,
        TextGet(L"KofaxPDFFileName", data, &D::GetKofaxPDFFileName),
        TextGet(L"RowSeparator", data, &D::GetRowSeparator),
    });
}

IDispatch* ReleaseSetupDataDispatch(std::shared_ptr<host::IReleaseSetupData> data) {
    using D = host::IReleaseSetupData;
    Member apply{
        L"Apply", DISPATCH_METHOD, 0, {}, [data](const CallArguments&, VARIANT&) -> HRESULT {
            return data->Apply();
        }};
    Member putName{L"Name",
                   DISPATCH_PROPERTYPUT,
                   1,
                   {VT_BSTR},
                   [data](const CallArguments& a, VARIANT&) -> HRESULT {
                       return data->PutName(Text(a.At(0)));
                   }};
    // Name is read and written under one dispatch id.
    constexpr DISPID kName = 100;
    Member getName = TextGet(L"Name", data, &D::GetName);
    getName.id = putName.id = kName;
    return StrictDispatch::Create({
        TextGet(L"DocClassName", data, &D::GetDocClassName),
        TextGet(L"BatchClassName", data, &D::GetBatchClassName),
        TextGet(L"UserName", data, &D::GetUser),
        TextGet(L"Password", data, &D::GetPassword),
        ObjectGet(L"CustomProperties", data, &D::GetCustomProperties, CustomPropertiesDispatch),
        ObjectGet(L"Links", data, &D::GetLinks, LinksDispatch),
        ObjectGet(L"IndexFields", data, &D::GetIndexFields, IndexFieldsDispatch),
        ObjectGet(L"BatchVariableNames", data, &D::GetBatchVariableNames, NamesDispatch),
        apply,
        getName,
        putName,
    });
}

}  // namespace zarn::host::sim
