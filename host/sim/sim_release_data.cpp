#include "host/sim/sim_release_data.h"

#include <utility>

#include "host/sim/sim_custom_properties.h"
#include "host/sim/sim_lists.h"
#include "host/sim/sim_values.h"
#include "host/sim/values_builder.h"

namespace zarn::host::sim {

SimReleaseData::SimReleaseData(std::shared_ptr<SimContext> context,
                               std::shared_ptr<SetupRecord> record, Batch batch, Document document,
                               ReleaseSession session)
    : context_(std::move(context)),
      record_(record ? std::move(record) : std::make_shared<SetupRecord>()),
      batch_(std::move(batch)),
      document_(std::make_shared<const Document>(std::move(document))),
      session_(std::move(session)) {}

HResult SimReleaseData::LogError(std::int32_t err1, std::int32_t err2, std::int32_t err3,
                                 const std::u16string& errorMessage,
                                 const std::u16string& codeModule, std::int32_t lineNumber) {
    return Write(
        *context_,
        {"ReleaseData.LogError", {errorMessage, codeModule}, {err1, err2, err3, lineNumber}},
        nullptr, [] { return kOk; });
}

HResult SimReleaseData::GetUser(std::u16string& userName) {
    return Answer(*context_, "ReleaseData.GetUserName", session_.userName, userName);
}

HResult SimReleaseData::GetPassword(std::u16string& password) {
    return Answer(*context_, "ReleaseData.GetPassword", session_.password, password);
}

HResult SimReleaseData::GetCustomProperties(std::shared_ptr<ICustomProperties>& properties) {
    std::shared_ptr<ICustomProperties> made = std::make_shared<SimCustomProperties>(
        context_, std::shared_ptr<NamedTexts>(record_, &record_->customProperties));
    return Answer(*context_, "ReleaseData.GetCustomProperties", made, properties);
}

HResult SimReleaseData::GetValues(std::shared_ptr<IValues>& values) {
    std::shared_ptr<IValues> made = std::make_shared<SimValues>(
        context_, std::make_shared<const std::vector<ValueData>>(
                      BuildValues(*record_, batch_, *document_, session_.rowSeparator)));
    return Answer(*context_, "ReleaseData.GetValues", made, values);
}

HResult SimReleaseData::GetImageFiles(std::shared_ptr<IImageFiles>& files) {
    std::shared_ptr<IImageFiles> made = std::make_shared<SimImageFiles>(context_, document_);
    return Answer(*context_, "ReleaseData.GetImageFiles", made, files);
}

HResult SimReleaseData::SendDocumentMessage(const std::u16string& messageString,
                                            std::int32_t errorNumber, std::int32_t infoRet) {
    return Write(*context_, {"ReleaseData.SendMessage", {messageString}, {errorNumber, infoRet}},
                 nullptr, [] { return kOk; });
}

HResult SimReleaseData::GetKofaxPDFFileName(std::u16string& fileName) {
    return Answer(*context_, "ReleaseData.GetKofaxPDFFileName", document_->kofaxPdfFileName,
                  fileName);
}

HResult SimReleaseData::GetRowSeparator(std::u16string& separator) {
    return Answer(*context_, "ReleaseData.GetRowSeparator", session_.rowSeparator, separator);
}

}  // namespace zarn::host::sim
