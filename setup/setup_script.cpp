#include "setup/setup_script.h"

#include "catalogue/doc_store_manager.h"
#include "common/resource_texts.h"
#include "host/script_method.h"
#include "release/release_settings.h"
#include "resources/string_ids.h"
#include "setup/general_page.h"
#include "setup/parameters_page.h"

namespace zarn {

std::u16string SetupCaptionText(Texts& texts) {
    return ResourceText(texts, IDS_SETUP_CAPTION);
}

host::KfxReturnValue SetupScript::ActionEvent(std::int32_t actionId, const std::u16string&,
                                              const std::u16string&) {
    return static_cast<std::uint32_t>(actionId) <= host::KFX_REL_END ? host::KFX_REL_SUCCESS
                                                                     : host::KFX_REL_UNSUPPORTED;
}

host::KfxReturnValue SetupScript::RunUI() {
    if (!setupData_)
        return host::KFX_REL_ERROR;
    return RunScriptMethod([&] {
        RunSheet();
        return host::KFX_REL_SUCCESS;
    });
}

void SetupScript::RunSheet() {
    const std::u16string caption = SetupCaptionText(services_.texts);
    std::unique_ptr<SetupSheet> sheet = sheets_.Create();
    CDocStoreManager catalogue(services_);
    ReleaseSettings settings(setupData_.get(), catalogue);
    // What cannot be read keeps its defaults, and the sheet opens all the same.
    LoadReleaseSettings(settings);
    static_cast<void>(LoadReleaseLinks(settings));
    static_cast<void>(LoadCaptureValueNames(settings));

    CPropertyPageSetupGeneral general(settings, services_.texts, services_.ui);
    CPropertyPageSetupParms parametersLong(settings, u"Parameters Long", 0, 10, 132);
    CPropertyPageSetupParms parametersShort(settings, u"Parameters Short", 10, 8, 64);
    sheet->AddPage(general);
    sheet->AddPage(parametersLong);
    sheet->AddPage(parametersShort);
    if (sheet->DoModal(caption) != SheetResult::kOk)
        return;

    // What the host refuses to store cannot be reported to it: the setup ends as confirmed.
    static_cast<void>(SaveReleaseLinks(settings));
    SaveKeyNames(settings, settings.Named(NamedSlot::docStoreName).source,
                 settings.Named(NamedSlot::docTypeName).source);
    static_cast<void>(setupData_->Apply());
}

}  // namespace zarn
