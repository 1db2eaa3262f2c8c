// The controls of the setup's dialog templates, as the in-memory window builds them.
#include "common/text.h"
#include "resources/control_ids.h"
#include "tests/setup/memory_dialog.h"

namespace zarn::test {
namespace {

std::vector<ControlLayout> GeneralTemplate() {
    using enum ControlKind;
    std::vector<ControlLayout> controls = {
        {IDC_BATCH_CLASS, kLabel},
        {IDC_DOC_CLASS, kLabel},
        {IDC_NAME, kEdit},
        {IDC_SERVER_URL, kSelectiveEdit},
        {IDC_USERNAME, kSelectiveEdit},
        {IDC_PASSWORD, kSelectiveEdit, u"", false, true},
        {IDC_DOCSTORE, kColourComboBox},
        {IDC_RELOAD, kButton, u"Reload"},
        {IDC_DOCSTORE_DESCRIPTION, kLabel, u"DocStore description placeholder"},
        {IDC_DOCTYPE, kColourComboBox},
        {IDC_DOCTYPE_DESCRIPTION, kLabel, u"DocType description placeholder"},
        {IDC_DOC_DESCRIPTION, kSelectiveEdit},
        {IDC_DOC_OWNER, kSelectiveEdit},
        {IDC_AUTHORISATION_LIST, kSelectiveEdit},
        {IDC_PUBLIC_AUTHORITY, kComboBox},
        {IDC_DOC_FILENAME, kSelectiveEdit},
        {IDC_VERSION_LABEL, kLabel, u"Version:", true, false},
        {IDC_VERSION, kLabel, u"1.0.0.0", true, false},
    };
    for (int button :
         {IDC_SERVER_URL_SOURCE, IDC_USERNAME_SOURCE, IDC_PASSWORD_SOURCE, IDC_DOCSTORE_SOURCE,
          IDC_DOCTYPE_SOURCE, IDC_DOC_DESCRIPTION_SOURCE, IDC_DOC_OWNER_SOURCE,
          IDC_AUTHORISATION_LIST_SOURCE, IDC_PUBLIC_AUTHORITY_SOURCE, IDC_DOC_FILENAME_SOURCE}) {
        controls.push_back({button, kButton, u"..."});
    }
    return controls;
}

std::vector<ControlLayout> ParametersTemplate() {
    std::vector<ControlLayout> controls;
    for (int row = 0; row < PARAMETER_ROWS; ++row) {
        const std::u16string label = u"Parameter " + Decimal(row + 1) + u":";
        controls.push_back({IDC_PARAMETER_LABEL_FIRST + row, ControlKind::kLabel, label});
        controls.push_back({IDC_PARAMETER_VALUE_FIRST + row, ControlKind::kSelectiveEdit});
        controls.push_back({IDC_PARAMETER_SOURCE_FIRST + row, ControlKind::kButton, u"..."});
    }
    return controls;
}

}  // namespace

std::unique_ptr<MemoryDialog> MemoryDialog::FromTemplate(int templateId, UserInterface& ui) {
    return std::make_unique<MemoryDialog>(
        ui, templateId == IDD_SETUP_GENERAL ? GeneralTemplate() : ParametersTemplate());
}

}  // namespace zarn::test
