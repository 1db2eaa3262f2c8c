#include "host/win32/dispatch_host.h"

#include "host/win32/dispatch_collections.h"

namespace zarn::win32 {
namespace {

class ReleaseData final : public host::IReleaseData {
  public:
    explicit ReleaseData(ComPtr<IDispatch> object) : object_(std::move(object)) {}

    HResult LogError(std::int32_t err1, std::int32_t err2, std::int32_t err3,
                     const std::u16string& errorMessage, const std::u16string& codeModule,
                     std::int32_t lineNumber) override {
        Arguments arguments;
        arguments.Int32(err1)
            .Int32(err2)
            .Int32(err3)
            .Text(errorMessage)
            .Text(codeModule)
            .Int32(lineNumber);
        return object_.Call(L"LogError", arguments);
    }
    HResult GetUser(std::u16string& userName) override {
        return object_.GetText(L"UserName", userName);
    }
    HResult GetPassword(std::u16string& password) override {
        return object_.GetText(L"Password", password);
    }
    HResult GetCustomProperties(std::shared_ptr<host::ICustomProperties>& properties) override {
        return GetWrapped(object_, L"CustomProperties", properties, DispatchCustomProperties);
    }
    HResult GetValues(std::shared_ptr<host::IValues>& values) override {
        return GetWrapped(object_, L"Values", values, DispatchValues);
    }
    HResult GetImageFiles(std::shared_ptr<host::IImageFiles>& files) override {
        return GetWrapped(object_, L"ImageFiles", files, DispatchImageFiles);
    }
    HResult SendDocumentMessage(const std::u16string& messageString, std::int32_t errorNumber,
                                std::int32_t infoRet) override {
        Arguments arguments;
        arguments.Text(messageString).Int32(errorNumber).Int32(infoRet);
        return object_.Call(L"SendMessage", arguments);
    }
    HResult GetKofaxPDFFileName(std::u16string& fileName) override {
        return object_.GetText(L"KofaxPDFFileName", fileName);
    }
    HResult GetRowSeparator(std::u16string& separator) override {
        return object_.GetText(L"RowSeparator", separator);
    }

  private:
    DispatchObject object_;
};

class ReleaseSetupData final : public host::IReleaseSetupData {
  public:
    explicit ReleaseSetupData(ComPtr<IDispatch> object) : object_(std::move(object)) {}

    HResult GetDocClassName(std::u16string& name) override {
        return object_.GetText(L"DocClassName", name);
    }
    HResult GetBatchClassName(std::u16string& name) override {
        return object_.GetText(L"BatchClassName", name);
    }
    HResult GetUser(std::u16string& userName) override {
        return object_.GetText(L"UserName", userName);
    }
    HResult GetPassword(std::u16string& password) override {
        return object_.GetText(L"Password", password);
    }
    HResult GetCustomProperties(std::shared_ptr<host::ICustomProperties>& properties) override {
        return GetWrapped(object_, L"CustomProperties", properties, DispatchCustomProperties);
    }
    HResult GetLinks(std::shared_ptr<host::ILinks>& links) override {
        return GetWrapped(object_, L"Links", links, DispatchLinks);
    }
    HResult GetIndexFields(std::shared_ptr<host::IIndexFields>& fields) override {
        return GetWrapped(object_, L"IndexFields", fields, DispatchIndexFields);
    }
    HResult GetBatchVariableNames(std::shared_ptr<host::INameEnumerator>& names) override {
        ComPtr<IDispatch> collection;
        HRESULT hr = object_.GetChild(L"BatchVariableNames", collection);
        return FAILED(hr) ? hr : DispatchBatchVariableNames(std::move(collection), names);
    }
    HResult Apply() override { return object_.Call(L"Apply", Arguments()); }
    HResult GetName(std::u16string& name) override { return object_.GetText(L"Name", name); }
    HResult PutName(const std::u16string& name) override {
        Arguments value;
        value.Text(name);
        return object_.Put(L"Name", value);
    }

  private:
    DispatchObject object_;
};

}  // namespace

std::shared_ptr<host::IReleaseData> DispatchReleaseData(ComPtr<IDispatch> data) {
    return std::make_shared<ReleaseData>(std::move(data));
}

std::shared_ptr<host::IReleaseSetupData> DispatchReleaseSetupData(ComPtr<IDispatch> data) {
    return std::make_shared<ReleaseSetupData>(std::move(data));
}

}  // namespace zarn::win32
