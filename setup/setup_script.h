#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "common/services.h"
#include "host/capture_host.h"
#include "host/kfx_constants.h"
#include "setup/setup_sheet.h"

namespace zarn {

// Caption of the setup property sheet; "???" when the string table lacks it.
std::u16string SetupCaptionText(Texts& texts);

// The release-setup script: what the COM class ZarnSetupScript does for the host. Each method
// gives its outcome as a KfxReturnValue and lets no exception out.
class SetupScript {
  public:
    SetupScript(const Services& services, SetupSheetFactory& sheets)
        : services_(services), sheets_(sheets) {}

    [[nodiscard]] host::KfxReturnValue OpenScript() { return host::KFX_REL_SUCCESS; }
    // The setup dialog: loads the settings, runs the sheet, and on OK saves and applies them.
    [[nodiscard]] host::KfxReturnValue RunUI();
    host::KfxReturnValue CloseScript() { return host::KFX_REL_SUCCESS; }
    // Changes nothing: the document-class actions 0 to 13 are supported, all others are not.
    [[nodiscard]] host::KfxReturnValue ActionEvent(std::int32_t actionId,
                                                   const std::u16string& data1,
                                                   const std::u16string& data2);

    const std::shared_ptr<host::IReleaseSetupData>& SetupData() const { return setupData_; }
    void SetSetupData(std::shared_ptr<host::IReleaseSetupData> setupData) {
        setupData_ = std::move(setupData);
    }

  private:
    void RunSheet();

    Services services_;
    SetupSheetFactory& sheets_;
    std::shared_ptr<host::IReleaseSetupData> setupData_;
};

}  // namespace zarn
