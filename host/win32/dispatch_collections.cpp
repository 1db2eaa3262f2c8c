#include "host/win32/dispatch_collections.h"

#include "common/win32/com.h"

#include "common/win32/variant.h"

namespace zarn::win32 {
namespace {

// IRowValues, queried on the object that a table value's RowValues returns.
constexpr IID kIidRowValues = {
    0x2044A7E0, 0xC29E, 0x49E1, {0xA8, 0x62, 0xAA, 0xB6, 0x02, 0x0E, 0xD0, 0x2F}};
// The host's string collection of the batch variable names, under its two interface ids.
constexpr IID kIidStringCollection = {
    0x2F8DEB57, 0x941D, 0x4E2C, {0x81, 0xB5, 0xD1, 0x6E, 0x3B, 0x82, 0xC2, 0xC8}};
constexpr IID kIidStringCollectionOlder = {
    0x852FDE3C, 0x8C75, 0x4550, {0x97, 0x49, 0x07, 0xF8, 0xFF, 0x6C, 0xE9, 0xB1}};

// A host enumerator that never ends is cut off here rather than filling memory.
constexpr int kMostNames = 100000;

void AddKey(Arguments& arguments, const host::CollectionKey& key) {
    if (const std::int32_t* position = std::get_if<std::int32_t>(&key))
        arguments.Int32(*position);
    else
        arguments.Text(std::get<std::u16string>(key));
}

// Item of a collection, by a position or a name.
template <typename Interface, typename Wrap>
HRESULT GetItem(DispatchObject& collection, const host::CollectionKey& key,
                std::shared_ptr<Interface>& item, Wrap wrap) {
    Arguments arguments;
    AddKey(arguments, key);
    return GetWrapped(collection, L"Item", item, wrap, arguments);
}

// Wraps a host object in an adapter of the given type.
template <typename Adapter>
auto Wrapper() {
    return [](ComPtr<IDispatch> object) { return std::make_shared<Adapter>(std::move(object)); };
}

class Value final : public host::IValue {
  public:
    explicit Value(ComPtr<IDispatch> object) : object_(std::move(object)) {}
    HResult GetDestination(std::u16string& text) override {
        return object_.GetText(L"Destination", text);
    }
    HResult GetValue(std::u16string& text) override { return object_.GetText(L"Value", text); }
    HResult GetSourceType(std::int32_t& type) override {
        return object_.GetInt32(L"SourceType", type);
    }
    HResult GetSourceName(std::u16string& text) override {
        return object_.GetText(L"SourceName", text);
    }
    HResult GetTableName(std::u16string& text) override {
        return object_.GetText(L"TableName", text);
    }
    HResult GetRowValues(std::shared_ptr<host::IRowValues>& rows) override;

  private:
    DispatchObject object_;
};

class RowValues final : public host::IRowValues {
  public:
    explicit RowValues(ComPtr<IDispatch> object) : object_(std::move(object)) {}
    HResult Item(std::int32_t position, std::shared_ptr<host::IValue>& row) override {
        return GetItem(object_, position, row, Wrapper<Value>());
    }
    HResult Count(std::int32_t& count) override { return object_.GetInt32(L"Count", count); }

  private:
    DispatchObject object_;
};

HResult Value::GetRowValues(std::shared_ptr<host::IRowValues>& rows) {
    ComPtr<IDispatch> result;
    Arguments key;
    key.Int(0);
    HRESULT hr = object_.GetChild(L"RowValues", result, key);
    if (FAILED(hr))
        return hr;
    // The rows are reached through their IRowValues interface, which derives from IDispatch.
    ComPtr<IDispatch> rowValues;
    if (FAILED(hr = result.As(kIidRowValues, rowValues)))
        return hr;
    rows = std::make_shared<RowValues>(std::move(rowValues));
    return S_OK;
}

class Values final : public host::IValues {
  public:
    explicit Values(ComPtr<IDispatch> object) : object_(std::move(object)) {}
    HResult GetItem(const host::CollectionKey& key, std::shared_ptr<host::IValue>& value) override {
        return win32::GetItem(object_, key, value, Wrapper<Value>());
    }
    HResult GetCount(std::int32_t& count) override { return object_.GetInt32(L"Count", count); }

  private:
    DispatchObject object_;
};

class CustomProperty final : public host::ICustomProperty {
  public:
    explicit CustomProperty(ComPtr<IDispatch> object) : object_(std::move(object)) {}
    HResult GetValue(std::u16string& value) override { return object_.GetText(L"Value", value); }

  private:
    DispatchObject object_;
};

class CustomProperties final : public host::ICustomProperties {
  public:
    explicit CustomProperties(ComPtr<IDispatch> object) : object_(std::move(object)) {}
    HResult GetItem(const std::u16string& name,
                    std::shared_ptr<host::ICustomProperty>& property) override {
        return win32::GetItem(object_, name, property, Wrapper<CustomProperty>());
    }
    HResult Add(const std::u16string& name, const std::u16string& value) override {
        Arguments arguments;
        arguments.Text(name).Text(value);
        return object_.Call(L"Add", arguments);
    }
    HResult Remove(const std::u16string& name) override {
        Arguments arguments;
        arguments.Text(name);
        return object_.Call(L"Remove", arguments);
    }

  private:
    DispatchObject object_;
};

class ImageFile final : public host::IImageFile {
  public:
    explicit ImageFile(ComPtr<IDispatch> object) : object_(std::move(object)) {}
    HResult GetFileName(std::u16string& name) override {
        return object_.GetText(L"FileName", name);
    }

  private:
    DispatchObject object_;
};

class ImageFiles final : public host::IImageFiles {
  public:
    explicit ImageFiles(ComPtr<IDispatch> object) : object_(std::move(object)) {}
    HResult GetItem(const host::CollectionKey& key,
                    std::shared_ptr<host::IImageFile>& file) override {
        return win32::GetItem(object_, key, file, Wrapper<ImageFile>());
    }
    HResult GetCount(std::int32_t& count) override { return object_.GetInt32(L"Count", count); }
    HResult GetContainsNonImageFile(std::int32_t& contains) override {
        return object_.GetInt32(L"ContainsNonImageFile", contains);
    }

  private:
    DispatchObject object_;
};

class Link final : public host::ILink {
  public:
    explicit Link(ComPtr<IDispatch> object) : object_(std::move(object)) {}
    HResult GetSource(std::u16string& text) override { return object_.GetText(L"Source", text); }
    HResult GetSourceType(std::int32_t& type) override {
        return object_.GetInt32(L"SourceType", type);
    }
    HResult GetDestination(std::u16string& text) override {
        return object_.GetText(L"Destination", text);
    }

  private:
    DispatchObject object_;
};

class Links final : public host::ILinks {
  public:
    explicit Links(ComPtr<IDispatch> object) : object_(std::move(object)) {}
    HResult GetItem(const host::CollectionKey& key, std::shared_ptr<host::ILink>& link) override {
        return win32::GetItem(object_, key, link, Wrapper<Link>());
    }
    HResult GetCount(std::int32_t& count) override { return object_.GetInt32(L"Count", count); }
    HResult Add(const std::u16string& source, std::int32_t sourceType,
                const std::u16string& destination) override {
        Arguments arguments;
        arguments.Text(source).Int32(sourceType).Text(destination);
        return object_.Call(L"Add", arguments);
    }
    HResult RemoveAll() override { return object_.Call(L"RemoveAll", Arguments()); }

  private:
    DispatchObject object_;
};

class IndexField final : public host::IIndexField {
  public:
    explicit IndexField(ComPtr<IDispatch> object) : object_(std::move(object)) {}
    HResult GetName(std::u16string& name) override { return object_.GetText(L"Name", name); }

  private:
    DispatchObject object_;
};

class IndexFields final : public host::IIndexFields {
  public:
    explicit IndexFields(ComPtr<IDispatch> object) : object_(std::move(object)) {}
    HResult GetItem(const host::CollectionKey& key,
                    std::shared_ptr<host::IIndexField>& field) override {
        return win32::GetItem(object_, key, field, Wrapper<IndexField>());
    }
    HResult GetCount(std::int32_t& count) override { return object_.GetInt32(L"Count", count); }

  private:
    DispatchObject object_;
};

class NameEnumerator final : public host::INameEnumerator {
  public:
    explicit NameEnumerator(ComPtr<IEnumVARIANT> enumerator) : enumerator_(std::move(enumerator)) {}

    // One element at a time; an element that is not a text is passed over.
    HResult Next(std::u16string& name) override {
        while (taken_ < kMostNames) {
            Variant element;
            ULONG fetched = 0;
            HRESULT hr = enumerator_->Next(1, element.get(), &fetched);
            if (hr != S_OK || fetched != 1)
                return FAILED(hr) ? hr : S_FALSE;
            ++taken_;
            if (SUCCEEDED(VariantText(*element, name)))
                return S_OK;
        }
        return S_FALSE;
    }

  private:
    ComPtr<IEnumVARIANT> enumerator_;
    int taken_ = 0;
};

}  // namespace

std::shared_ptr<host::ICustomProperties> DispatchCustomProperties(ComPtr<IDispatch> object) {
    return std::make_shared<CustomProperties>(std::move(object));
}

std::shared_ptr<host::IValues> DispatchValues(ComPtr<IDispatch> object) {
    return std::make_shared<Values>(std::move(object));
}

std::shared_ptr<host::IImageFiles> DispatchImageFiles(ComPtr<IDispatch> object) {
    return std::make_shared<ImageFiles>(std::move(object));
}

std::shared_ptr<host::ILinks> DispatchLinks(ComPtr<IDispatch> object) {
    return std::make_shared<Links>(std::move(object));
}

std::shared_ptr<host::IIndexFields> DispatchIndexFields(ComPtr<IDispatch> object) {
    return std::make_shared<IndexFields>(std::move(object));
}

HRESULT DispatchBatchVariableNames(ComPtr<IDispatch> object,
                                   std::shared_ptr<host::INameEnumerator>& names) {
    ComPtr<IDispatch> collection;
    HRESULT hr = object.As(kIidStringCollection, collection);
    if (FAILED(hr))
        hr = object.As(kIidStringCollectionOlder, collection);
    if (FAILED(hr))
        return hr;
    ComPtr<IUnknown> enumeratorObject;
    if (FAILED(hr = DispatchObject(collection).NewEnum(enumeratorObject)))
        return hr;
    ComPtr<IEnumVARIANT> enumerator;
    if (FAILED(hr = enumeratorObject.As(IID_IEnumVARIANT, enumerator)))
        return hr;
    names = std::make_shared<NameEnumerator>(std::move(enumerator));
    return S_OK;
}

}  // namespace zarn::win32
