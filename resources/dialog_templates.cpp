#include "resources/dialog_templates.h"

#include <iterator>

#include "resources/control_ids.h"

namespace zarn {
namespace {

#define ZARN_CONTROL(kind, id, text, x, y, width, height) \
    {TemplateControlKind::kind, id, u"" text, x, y, width, height},

constexpr TemplateControl kGeneralPage[] = {
#include "resources/general_page_controls.inc"
};

constexpr TemplateControl kParametersPage[] = {
#include "resources/parameters_page_controls.inc"
};

#undef ZARN_CONTROL

static_assert(std::size(kParametersPage) == 3 * kParameterRows,
              "the Parameters page's control list holds kParameterRows rows");

}  // namespace

std::span<const TemplateControl> DialogTemplateControls(int templateId) {
    switch (templateId) {
        case IDD_SETUP_GENERAL:
            return kGeneralPage;
        case IDD_SETUP_PARMS:
            return kParametersPage;
        default:
            return {};
    }
}

}  // namespace zarn
