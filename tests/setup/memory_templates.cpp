// The controls of the setup's dialog templates, as the in-memory window builds them: from the
// lists that the resource script builds the real templates from.
#include "resources/control_ids.h"
#include "resources/dialog_templates.h"
#include "tests/setup/memory_dialog.h"

namespace zarn::test {
namespace {

ControlLayout Layout(const TemplateControl& control) {
    using enum TemplateControlKind;
    const std::u16string text(control.text);
    switch (control.kind) {
        case kLabel:
            return {control.id, ControlKind::kLabel, text};
        case kHiddenLabel:
            return {control.id, ControlKind::kLabel, text, true};
        case kButton:
            return {control.id, ControlKind::kButton, text};
        case kEdit:
            return {control.id, ControlKind::kEdit, text};
        case kSelectiveEdit:
            return {control.id, ControlKind::kSelectiveEdit, text};
        case kPasswordEdit:
            return {control.id, ControlKind::kSelectiveEdit, text, false, true};
        case kComboBox:
            return {control.id, ControlKind::kComboBox, text};
        case kColourComboBox:
            break;
    }
    return {control.id, ControlKind::kColourComboBox, text};
}

}  // namespace

std::unique_ptr<MemoryDialog> MemoryDialog::FromTemplate(int templateId, UserInterface& ui) {
    std::vector<ControlLayout> controls;
    for (const TemplateControl& control : DialogTemplateControls(templateId)) {
        if (control.id != IDC_STATIC)
            controls.push_back(Layout(control));
    }
    return std::make_unique<MemoryDialog>(ui, controls);
}

}  // namespace zarn::test
