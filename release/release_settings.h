#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/doc_type_to_key_mapper.h"
#include "host/capture_host.h"
#include "host/kfx_constants.h"
#include "release/stored_names.h"

namespace zarn {

class CDocStoreManager;

// Where one setting's value comes from: a source text and a KfxLinkSourceType.
struct LinkSlot {
    std::u16string source;  // empty stands for none
    std::int32_t sourceType = host::KFX_REL_UNDEFINED_LINK;
};

inline constexpr std::size_t kNumberedSlotCount = 20;
// Key-name properties that every save writes at least: docTypeKeyName[00] to [17].
inline constexpr std::int32_t kKeyNameCount = 18;

// The link destination of a named slot: "docStoreServer", …
constexpr std::u16string_view NamedSlotName(NamedSlot slot) {
    return NamesOf(slot).destination;
}

// The setup's working copy of the stored links, for one run of the setup dialog.
struct ReleaseSettings {
    // Named slots start as empty text constants, so that a new setup can be typed into at once.
    ReleaseSettings(host::IReleaseSetupData* setupData, CDocStoreManager& catalogue);

    LinkSlot& Named(NamedSlot slot) { return named[static_cast<std::size_t>(slot)]; }
    const LinkSlot& Named(NamedSlot slot) const { return named[static_cast<std::size_t>(slot)]; }

    std::array<LinkSlot, kNamedSlotCount> named;
    std::array<LinkSlot, kNumberedSlotCount> numbered;  // slot i feeds destination "%02d" of i
    host::IReleaseSetupData* setupData;                 // the setup script's; may be null
    CDocStoreManager& catalogue;
    std::vector<std::u16string> captureValueNames;  // in the host's order
    // Set once a catalogue load in this dialog has read the server's store list.
    bool catalogueLoaded = false;
};

// Before the pages open.
void LoadReleaseSettings(ReleaseSettings& settings);
[[nodiscard]] bool LoadReleaseLinks(ReleaseSettings& settings);
[[nodiscard]] bool LoadCaptureValueNames(ReleaseSettings& settings);

// After the administrator confirmed the pages.
[[nodiscard]] bool SaveReleaseLinks(const ReleaseSettings& settings);
void SaveKeyNames(const ReleaseSettings& settings, const std::u16string& storeName,
                  const std::u16string& docTypeName);

// The keys of the store's document type in sort order, without entries whose key is missing:
// numbered slot k feeds the k-th of them, as the key names are stored.
std::vector<DocTypeKey> LinkedDocTypeKeys(const CDocStoreManager& catalogue,
                                          const std::u16string& storeName,
                                          const std::u16string& docTypeName);

}  // namespace zarn
