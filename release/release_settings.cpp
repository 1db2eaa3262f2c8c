#include "release/release_settings.h"

namespace zarn {
namespace {

constexpr std::array<std::u16string_view, kNamedSlotCount> kNamedSlotNames = {
    u"docStoreServer",  u"docStoreUsername",    u"docStorePassword", u"docStoreName",
    u"docTypeName",     u"documentDescription", u"authorityOwner",   u"authorisationList",
    u"authorityPublic", u"docFilename",
};

}  // namespace

std::u16string_view NamedSlotName(NamedSlot slot) {
    return kNamedSlotNames[static_cast<std::size_t>(slot)];
}

ReleaseSettings::ReleaseSettings(host::IReleaseSetupData* setupData, CDocStoreManager& catalogue)
    : setupData(setupData), catalogue(catalogue) {
    for (LinkSlot& slot : named)
        slot.sourceType = KFX_REL_TEXTCONSTANT;
}

}  // namespace zarn
