#pragma once

// The names under which a document class's settings are stored in the host's setup record and
// read back by the release: one list that the setup, the release and the tools share.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "host/kfx_constants.h"

namespace zarn {

// The ten named settings, in their stored order; each is also the destination of its link.
enum class NamedSlot : std::size_t {
    docStoreServer,
    docStoreUsername,
    docStorePassword,
    docStoreName,
    docTypeName,
    documentDescription,
    authorityOwner,
    authorisationList,
    authorityPublic,
    docFilename,
};

inline constexpr std::size_t kNamedSlotCount = 10;

struct SettingNames {
    std::u16string_view destination;  // of the setting's link
    std::u16string_view property;     // the custom property that also stores it, or empty
};

inline constexpr std::array<SettingNames, kNamedSlotCount> kSettingNames = {{
    {u"docStoreServer", u"serverURL"},
    {u"docStoreUsername", {}},
    {u"docStorePassword", {}},
    {u"docStoreName", u"docStore"},
    {u"docTypeName", u"docType"},
    {u"documentDescription", u"documentDescription"},
    {u"authorityOwner", u"authorityOwner"},
    {u"authorisationList", u"authorisationList"},
    {u"authorityPublic", u"authorityPublic"},
    {u"docFilename", u"docFilename"},
}};

constexpr const SettingNames& NamesOf(NamedSlot slot) {
    return kSettingNames[static_cast<std::size_t>(slot)];
}

// The custom property that holds the key name of the numbered link destination ("00" … "19").
inline std::u16string KeyNameProperty(std::u16string_view destination) {
    return u"docTypeKeyName[" + std::u16string(destination) + u"]";
}

// The links that carry the document's file as first imported, with the host's source of each.
struct OriginalFileLink {
    std::u16string_view source;
    std::int32_t sourceType;
    std::u16string_view destination;
};

inline constexpr std::array<OriginalFileLink, 3> kOriginalFileLinks = {{
    {u"OriginalFolder", host::KFX_REL_BATCHFIELD, u"OriginalFolder"},
    {u"First Page Original File Name", host::KFX_REL_VARIABLE, u"OriginalFileName"},
    {u"OriginalFileNameExt", host::KFX_REL_BATCHFIELD, u"OriginalFileNameExt"},
}};
inline constexpr std::u16string_view kOriginalFolder = kOriginalFileLinks[0].destination;
inline constexpr std::u16string_view kOriginalFileName = kOriginalFileLinks[1].destination;
inline constexpr std::u16string_view kOriginalFileNameExt = kOriginalFileLinks[2].destination;

}  // namespace zarn
