#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host/capture_host.h"
#include "host/sim/sim_context.h"
#include "host/sim/sim_data.h"

namespace zarn::host::sim {

// ReleaseData of one document. CustomProperties are the setup record's own; Values are built
// afresh from the record's links at every GetValues.
class SimReleaseData : public IReleaseData {
  public:
    SimReleaseData(std::shared_ptr<SimContext> context, std::shared_ptr<SetupRecord> record,
                   Batch batch, Document document, ReleaseSession session);

    HResult LogError(std::int32_t err1, std::int32_t err2, std::int32_t err3,
                     const std::u16string& errorMessage, const std::u16string& codeModule,
                     std::int32_t lineNumber) override;
    HResult GetUser(std::u16string& userName) override;
    HResult GetPassword(std::u16string& password) override;
    HResult GetCustomProperties(std::shared_ptr<ICustomProperties>& properties) override;
    HResult GetValues(std::shared_ptr<IValues>& values) override;
    HResult GetImageFiles(std::shared_ptr<IImageFiles>& files) override;
    HResult SendDocumentMessage(const std::u16string& messageString, std::int32_t errorNumber,
                                std::int32_t infoRet) override;
    HResult GetKofaxPDFFileName(std::u16string& fileName) override;
    HResult GetRowSeparator(std::u16string& separator) override;

  private:
    std::shared_ptr<SimContext> context_;
    std::shared_ptr<SetupRecord> record_;
    Batch batch_;
    std::shared_ptr<const Document> document_;
    ReleaseSession session_;
};

}  // namespace zarn::host::sim
