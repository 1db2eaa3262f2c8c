#pragma once

#include <memory>

#include "common/services.h"
#include "host/capture_host.h"
#include "host/kfx_constants.h"

namespace zarn {

// The release script: for each document that the host hands over, posts the document's file and
// index values to the document-store server and reports the outcome through the host's log.
// The COM class wraps one of these.
class ReleaseScript {
  public:
    explicit ReleaseScript(const Services& services) : services_(services) {}

    [[nodiscard]] host::KfxReturnValue OpenScript() { return host::KFX_REL_SUCCESS; }
    [[nodiscard]] host::KfxReturnValue ReleaseDoc();
    // Always succeeds.
    host::KfxReturnValue CloseScript();

    const std::shared_ptr<host::IReleaseData>& DocumentData() const { return documentData_; }
    // Holds the object and makes it the module's current release data.
    void SetDocumentData(std::shared_ptr<host::IReleaseData> data);

  private:
    [[nodiscard]] host::KfxReturnValue Release(host::IReleaseData& data);

    Services services_;
    std::shared_ptr<host::IReleaseData> documentData_;
};

// Boundary of every document request: 27 hyphens and the product word.
inline constexpr char16_t kDocumentBoundary[] = u"---------------------------zarnRel";

}  // namespace zarn
