#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace zarn {

// The kinds of control in the setup's dialog templates.
enum class TemplateControlKind {
    kLabel,
    kHiddenLabel,
    kButton,
    kEdit,
    kSelectiveEdit,
    kPasswordEdit,  // a CSelectiveEdit that masks its text
    kComboBox,
    kColourComboBox,  // a CComboBoxClr
};

// One control of a dialog template, as the resource script declares it (dialog units).
struct TemplateControl {
    TemplateControlKind kind;
    int id;  // IDC_STATIC for controls that the code never addresses
    std::u16string_view text;
    int x;
    int y;
    int width;
    int height;  // combo boxes: with the list dropped
};

// The rows of a Parameters page (template 11011): a label, a value box and a "..." button each.
inline constexpr std::int32_t kParameterRows = 10;

// The controls of template 11003 or 11011 in tab order; empty for any other id. The lists are
// those that the resource script builds the templates from.
std::span<const TemplateControl> DialogTemplateControls(int templateId);

}  // namespace zarn
