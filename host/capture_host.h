#pragma once

// The capture host's objects, as the connector uses them. Every operation can fail and reports
// an HResult; out-parameters are written only on success. Where a host member shares its name
// with a Win32 macro (GetUserName, SendMessage), the method is named so that <windows.h> cannot
// rename it: GetUser reads the host's UserName, SendDocumentMessage calls its SendMessage. Objects
// handed out are shared: the Windows adapters release the host object when the last holder lets go.

#include <cstdint>
#include <memory>
#include <string>
#include <variant>

#include "common/hresult.h"

namespace zarn::host {

// Key of a host collection, which counts from 1: a position (VT_I4) or a name (VT_BSTR).
using CollectionKey = std::variant<std::int32_t, std::u16string>;

class IValue;

// The rows of a table value (interface IRowValues). Each row answers IValue's Value.
class IRowValues {
  public:
    virtual ~IRowValues() = default;
    [[nodiscard]] virtual HResult Item(std::int32_t position, std::shared_ptr<IValue>& row) = 0;
    [[nodiscard]] virtual HResult Count(std::int32_t& count) = 0;
};

// One member of ReleaseData.Values.
class IValue {
  public:
    virtual ~IValue() = default;
    [[nodiscard]] virtual HResult GetDestination(std::u16string& destination) = 0;
    [[nodiscard]] virtual HResult GetValue(std::u16string& value) = 0;
    [[nodiscard]] virtual HResult GetSourceType(std::int32_t& sourceType) = 0;
    [[nodiscard]] virtual HResult GetSourceName(std::u16string& sourceName) = 0;
    [[nodiscard]] virtual HResult GetTableName(std::u16string& tableName) = 0;
    // RowValues (key VT_INT 0) queried for IRowValues.
    [[nodiscard]] virtual HResult GetRowValues(std::shared_ptr<IRowValues>& rows) = 0;
};

class IValues {
  public:
    virtual ~IValues() = default;
    [[nodiscard]] virtual HResult GetItem(const CollectionKey& key,
                                          std::shared_ptr<IValue>& value) = 0;
    [[nodiscard]] virtual HResult GetCount(std::int32_t& count) = 0;
};

class ICustomProperty {
  public:
    virtual ~ICustomProperty() = default;
    [[nodiscard]] virtual HResult GetValue(std::u16string& value) = 0;
};

class ICustomProperties {
  public:
    virtual ~ICustomProperties() = default;
    // A missing name fails.
    [[nodiscard]] virtual HResult GetItem(const std::u16string& name,
                                          std::shared_ptr<ICustomProperty>& property) = 0;
    [[nodiscard]] virtual HResult Add(const std::u16string& name, const std::u16string& value) = 0;
    [[nodiscard]] virtual HResult Remove(const std::u16string& name) = 0;
};

class IImageFile {
  public:
    virtual ~IImageFile() = default;
    [[nodiscard]] virtual HResult GetFileName(std::u16string& fileName) = 0;
};

class IImageFiles {
  public:
    virtual ~IImageFiles() = default;
    [[nodiscard]] virtual HResult GetItem(const CollectionKey& key,
                                          std::shared_ptr<IImageFile>& file) = 0;
    [[nodiscard]] virtual HResult GetCount(std::int32_t& count) = 0;
    [[nodiscard]] virtual HResult GetContainsNonImageFile(std::int32_t& contains) = 0;
};

class ILink {
  public:
    virtual ~ILink() = default;
    [[nodiscard]] virtual HResult GetSource(std::u16string& source) = 0;
    [[nodiscard]] virtual HResult GetSourceType(std::int32_t& sourceType) = 0;
    [[nodiscard]] virtual HResult GetDestination(std::u16string& destination) = 0;
};

class ILinks {
  public:
    virtual ~ILinks() = default;
    [[nodiscard]] virtual HResult GetItem(const CollectionKey& key,
                                          std::shared_ptr<ILink>& link) = 0;
    [[nodiscard]] virtual HResult GetCount(std::int32_t& count) = 0;
    [[nodiscard]] virtual HResult Add(const std::u16string& source, std::int32_t sourceType,
                                      const std::u16string& destination) = 0;
    [[nodiscard]] virtual HResult RemoveAll() = 0;
};

class IIndexField {
  public:
    virtual ~IIndexField() = default;
    [[nodiscard]] virtual HResult GetName(std::u16string& name) = 0;
};

class IIndexFields {
  public:
    virtual ~IIndexFields() = default;
    [[nodiscard]] virtual HResult GetItem(const CollectionKey& key,
                                          std::shared_ptr<IIndexField>& field) = 0;
    [[nodiscard]] virtual HResult GetCount(std::int32_t& count) = 0;
};

// The enumerator of the batch variable names (the host's string collection, queried for
// IEnumVARIANT). Next answers kOk with a name, anything else at the end or on failure.
class INameEnumerator {
  public:
    virtual ~INameEnumerator() = default;
    [[nodiscard]] virtual HResult Next(std::u16string& name) = 0;
};

class IReleaseData {
  public:
    virtual ~IReleaseData() = default;
    [[nodiscard]] virtual HResult LogError(std::int32_t err1, std::int32_t err2, std::int32_t err3,
                                           const std::u16string& errorMessage,
                                           const std::u16string& codeModule,
                                           std::int32_t lineNumber) = 0;
    [[nodiscard]] virtual HResult GetUser(std::u16string& userName) = 0;
    [[nodiscard]] virtual HResult GetPassword(std::u16string& password) = 0;
    [[nodiscard]] virtual HResult GetCustomProperties(
        std::shared_ptr<ICustomProperties>& properties) = 0;
    [[nodiscard]] virtual HResult GetValues(std::shared_ptr<IValues>& values) = 0;
    [[nodiscard]] virtual HResult GetImageFiles(std::shared_ptr<IImageFiles>& files) = 0;
    [[nodiscard]] virtual HResult SendDocumentMessage(const std::u16string& messageString,
                                                      std::int32_t errorNumber,
                                                      std::int32_t infoRet) = 0;
    [[nodiscard]] virtual HResult GetKofaxPDFFileName(std::u16string& fileName) = 0;
    [[nodiscard]] virtual HResult GetRowSeparator(std::u16string& separator) = 0;
};

class IReleaseSetupData {
  public:
    virtual ~IReleaseSetupData() = default;
    [[nodiscard]] virtual HResult GetDocClassName(std::u16string& name) = 0;
    [[nodiscard]] virtual HResult GetBatchClassName(std::u16string& name) = 0;
    [[nodiscard]] virtual HResult GetUser(std::u16string& userName) = 0;
    [[nodiscard]] virtual HResult GetPassword(std::u16string& password) = 0;
    [[nodiscard]] virtual HResult GetCustomProperties(
        std::shared_ptr<ICustomProperties>& properties) = 0;
    [[nodiscard]] virtual HResult GetLinks(std::shared_ptr<ILinks>& links) = 0;
    [[nodiscard]] virtual HResult GetIndexFields(std::shared_ptr<IIndexFields>& fields) = 0;
    // The batch variable names: the string collection queried under either of its two
    // interface ids, then its enumerator queried for IEnumVARIANT.
    [[nodiscard]] virtual HResult GetBatchVariableNames(
        std::shared_ptr<INameEnumerator>& names) = 0;
    [[nodiscard]] virtual HResult Apply() = 0;
    [[nodiscard]] virtual HResult GetName(std::u16string& name) = 0;
    [[nodiscard]] virtual HResult PutName(const std::u16string& name) = 0;
};

}  // namespace zarn::host
