#include "release/release_script.h"

#include "common/utf16_text.h"
#include "host/custom_properties.h"
#include "host/script_method.h"
#include "release/current_release_data.h"
#include "release/document_file.h"
#include "release/key_fields.h"
#include "release/release_log.h"
#include "release/release_values.h"
#include "release/stored_names.h"
#include "transport/multipart_body.h"

namespace zarn {
namespace {

// The values one document is released with: stored settings, overridden by release values.
struct WorkingValues {
    std::u16string serverUrl;
    std::u16string userName;
    std::u16string password;
    std::u16string storeName;
    std::u16string docType;
    std::u16string description;
    std::u16string authorityOwner;
    std::u16string authorisationList;
    std::u16string authorityPublic;
    std::u16string docFilename;
};

// The names of each overridable setting and its working value, in the order the release reads
// them.
struct Setting {
    SettingNames names;
    std::u16string WorkingValues::*value;
};

constexpr Setting kSettings[] = {
    {NamesOf(NamedSlot::docStoreServer), &WorkingValues::serverUrl},
    {NamesOf(NamedSlot::docStoreUsername), &WorkingValues::userName},
    {NamesOf(NamedSlot::docStorePassword), &WorkingValues::password},
    {NamesOf(NamedSlot::docStoreName), &WorkingValues::storeName},
    {NamesOf(NamedSlot::docTypeName), &WorkingValues::docType},
    {NamesOf(NamedSlot::documentDescription), &WorkingValues::description},
    {NamesOf(NamedSlot::authorityOwner), &WorkingValues::authorityOwner},
    {NamesOf(NamedSlot::authorisationList), &WorkingValues::authorisationList},
    {NamesOf(NamedSlot::authorityPublic), &WorkingValues::authorityPublic},
    {NamesOf(NamedSlot::docFilename), &WorkingValues::docFilename},
};

constexpr char16_t kDefaultAuthorityPublic[] = u"*RWX";

void ReadStoredSettings(host::IReleaseData& data, WorkingValues& working) {
    for (const Setting& setting : kSettings) {
        if (setting.names.property.empty())
            continue;
        std::u16string defaultValue =
            setting.value == &WorkingValues::authorityPublic ? kDefaultAuthorityPublic : u"";
        std::u16string& value = working.*setting.value;
        value = defaultValue;
        std::shared_ptr<host::ICustomProperties> properties;
        if (Succeeded(data.GetCustomProperties(properties)) && properties) {
            // A setting that cannot be read keeps its default.
            static_cast<void>(host::GetCustomProperty(
                *properties, std::u16string(setting.names.property), value, defaultValue));
        }
    }
}

void OverrideFromReleaseValues(host::IValues& values, WorkingValues& working) {
    for (const Setting& setting : kSettings) {
        std::u16string text;
        if (GetValue(values, std::u16string(setting.names.destination), text))
            working.*setting.value = std::move(text);
    }
}

}  // namespace

void ReleaseScript::SetDocumentData(std::shared_ptr<host::IReleaseData> data) {
    if (data == documentData_)
        return;
    CurrentReleaseData::Set(data);
    documentData_ = std::move(data);
}

host::KfxReturnValue ReleaseScript::CloseScript() {
    documentData_.reset();
    CurrentReleaseData::Clear();
    return host::KFX_REL_SUCCESS;
}

host::KfxReturnValue ReleaseScript::ReleaseDoc() {
    if (!documentData_) {
        LogReleaseMessage(1, __LINE__, u"No document data to release");
        return host::KFX_REL_ERROR;
    }
    return RunScriptMethod(
        [&] { return Release(*documentData_); },
        [] { LogReleaseMessage(1, __LINE__, u"Out of memory while releasing the document"); });
}

host::KfxReturnValue ReleaseScript::Release(host::IReleaseData& data) {
    WorkingValues working;
    ReadStoredSettings(data, working);
    // Reads that fail leave the texts empty, as the release then uses them.
    static_cast<void>(data.GetUser(working.userName));
    static_cast<void>(data.GetPassword(working.password));
    std::u16string rowSeparator;
    static_cast<void>(data.GetRowSeparator(rowSeparator));

    std::shared_ptr<host::IValues> values;
    if (Failed(data.GetValues(values)) || !values) {
        LogReleaseMessage(1, __LINE__, u"Failed to get values");
        return host::KFX_REL_ERROR;
    }
    const std::u16string filePath = ChooseDocumentFile(data, *values, services_.files);
    OverrideFromReleaseValues(*values, working);

    MultipartBody body(kDocumentBoundary, services_.files);
    body.AddTextField(u"docType", working.docType);
    body.AddTextField(u"description", working.description);
    if (body.AddFile(u"document", working.docFilename, filePath) == FileAddResult::kReadFailed) {
        // A truncated document must never reach the server as a success.
        LogReleaseMessage(1, __LINE__,
                          FillTemplate(u"Failed to read document file %s", {filePath}));
        return host::KFX_REL_ERROR;
    }
    body.AddTextField(u"authorityOwner", working.authorityOwner);
    body.AddTextField(u"authorisationList", working.authorisationList);
    body.AddTextField(u"authorityPublic", working.authorityPublic);

    std::int32_t count = 0;
    if (Failed(values->GetCount(count))) {
        LogReleaseMessage(1, __LINE__, u"Failed to get count of values");
        return host::KFX_REL_ERROR;
    }
    AddKeyFields(data, *values, count, rowSeparator, body);

    const std::u16string url =
        FillTemplate(u"%s/docStore/store/%s/document/", {working.serverUrl, working.storeName});
    std::unique_ptr<XmlDocument> reply;
    std::u16string error;
    if (!body.Post(services_, url, working.userName, working.password, reply, error)) {
        LogReleaseMessage(1, __LINE__, error);
        return host::KFX_REL_ERROR;
    }
    LogReleaseMessage(0, __LINE__,
                      FillTemplate(u"Document Released Successfully %s\n", {filePath}));
    return host::KFX_REL_SUCCESS;
}

}  // namespace zarn
