#include "setup/parameters_page.h"

#include <algorithm>
#include <vector>

#include "catalogue/doc_store_manager.h"
#include "common/utf16_text.h"
#include "resources/control_ids.h"
#include "resources/dialog_templates.h"
#include "setup/selective_edit.h"

namespace zarn {
namespace {

int ValueBox(std::int32_t row) {
    return IDC_PARAMETER_VALUE_FIRST + row;
}
int SourceButton(std::int32_t row) {
    return IDC_PARAMETER_SOURCE_FIRST + row;
}
int Label(std::int32_t row) {
    return IDC_PARAMETER_LABEL_FIRST + row;
}

std::u16string NumberLabel(std::int32_t number) {
    return FillTemplate(u"Parameter %d:", {Decimal(number)});
}

}  // namespace

CPropertyPageSetupParms::CPropertyPageSetupParms(ReleaseSettings& settings, std::u16string title,
                                                 std::int32_t firstParameter,
                                                 std::int32_t parameterCount,
                                                 std::int32_t maxLength)
    : SetupPage(settings),
      title_(std::move(title)),
      firstParameter_(firstParameter),
      parameterCount_(std::clamp<std::int32_t>(parameterCount, 0, kParameterRows)),
      maxLength_(maxLength) {
    for (std::int32_t row = 0; row < kParameterRows; ++row) {
        BindText(ValueBox(row));
        BindText(Label(row));
    }
}

int CPropertyPageSetupParms::TemplateId() const {
    return IDD_SETUP_PARMS;
}

bool CPropertyPageSetupParms::OnSetActive() {
    RefreshParameters();
    return true;
}

LinkSlot* CPropertyPageSetupParms::SlotOfRow(std::int32_t row) {
    const std::int32_t slot = firstParameter_ + row;
    if (row < 0 || row >= parameterCount_ || slot < 0 ||
        slot >= static_cast<std::int32_t>(kNumberedSlotCount)) {
        return nullptr;
    }
    return &settings_.numbered[static_cast<std::size_t>(slot)];
}

void CPropertyPageSetupParms::RefreshParameters() {
    if (!dialog_)
        return;
    for (std::int32_t row = 0; row < parameterCount_; ++row) {
        if (const LinkSlot* slot = SlotOfRow(row)) {
            Text(ValueBox(row)) = slot->source;
            dialog_->Enable(ValueBox(row), slot->sourceType == host::KFX_REL_TEXTCONSTANT);
        }
        if (CSelectiveEdit* edit = dialog_->SelectiveEdit(ValueBox(row))) {
            edit->maxLength = maxLength_;
        }
    }
    for (std::int32_t row = parameterCount_; row < kParameterRows; ++row) {
        dialog_->Show(ValueBox(row), false);
        dialog_->Show(SourceButton(row), false);
    }
    LabelRows();
    TransferToControls();
}

void CPropertyPageSetupParms::LabelRows() {
    const std::vector<DocTypeKey> keys =
        LinkedDocTypeKeys(settings_.catalogue, settings_.Named(NamedSlot::docStoreName).source,
                          settings_.Named(NamedSlot::docTypeName).source);
    for (std::int32_t row = 0; row < parameterCount_; ++row) {
        const auto index = static_cast<std::size_t>(firstParameter_ + row);
        const bool described = index < keys.size() && !keys[index].key->description.empty();
        Text(Label(row)) = described ? keys[index].key->description + u":"
                                     : NumberLabel(firstParameter_ + row + 1);
    }
}

void CPropertyPageSetupParms::HandleNotify(int controlId, Notification code) {
    const std::int32_t valueRow = controlId - IDC_PARAMETER_VALUE_FIRST;
    const std::int32_t buttonRow = controlId - IDC_PARAMETER_SOURCE_FIRST;
    if (code == Notification::kChange && valueRow >= 0 && valueRow < kParameterRows) {
        ReadControls();
        if (LinkSlot* slot = SlotOfRow(valueRow)) {
            *slot = {Text(ValueBox(valueRow)), host::KFX_REL_TEXTCONSTANT};
        }
    } else if (code == Notification::kClicked && buttonRow >= 0 && buttonRow < kParameterRows) {
        ShowSourceMenu(SourceButton(buttonRow), SlotOfRow(buttonRow));
    }
}

}  // namespace zarn
