#include "catalogue/doc_store_manager.h"
#include "common/utf16_text.h"
#include "host/custom_properties.h"
#include "release/release_settings.h"

namespace zarn {
namespace {

// Writes the key name of destination `number` on a freshly fetched property collection. With
// `keepExisting` a property that is already there stays as it is.
void WriteKeyName(host::IReleaseSetupData& setupData, std::int32_t number,
                  const std::u16string& fieldName, bool keepExisting) {
    std::shared_ptr<host::ICustomProperties> properties;
    if (Failed(setupData.GetCustomProperties(properties)) || !properties)
        return;
    const std::u16string property = KeyNameProperty(TwoDigits(number));
    std::u16string stored;
    if (keepExisting && host::GetCustomProperty(*properties, property, stored))
        return;
    // The host has no way to hear of a key name that could not be written.
    static_cast<void>(host::SetCustomProperty(*properties, property, fieldName));
}

std::u16string ParameterName(std::int32_t number) {
    return u"PARM" + TwoDigits(number + 1);
}

}  // namespace

bool SaveReleaseLinks(const ReleaseSettings& settings) {
    if (!settings.setupData)
        return false;
    std::shared_ptr<host::ILinks> links;
    if (Failed(settings.setupData->GetLinks(links)) || !links || Failed(links->RemoveAll())) {
        return false;
    }
    // A link that the host refuses is left out; the others are added all the same.
    const auto add = [&links](const std::u16string& source, std::int32_t sourceType,
                              const std::u16string& destination) {
        static_cast<void>(links->Add(source, sourceType, destination));
    };
    for (std::size_t i = 0; i < kNumberedSlotCount; ++i) {
        const LinkSlot& slot = settings.numbered[i];
        if (slot.sourceType != host::KFX_REL_UNDEFINED_LINK && !slot.source.empty())
            add(slot.source, slot.sourceType, TwoDigits(static_cast<std::int32_t>(i)));
    }
    for (std::size_t i = 0; i < kNamedSlotCount; ++i) {
        const LinkSlot& slot = settings.named[i];
        add(slot.source, slot.sourceType, std::u16string(NamedSlotName(static_cast<NamedSlot>(i))));
    }
    for (const OriginalFileLink& link : kOriginalFileLinks)
        add(std::u16string(link.source), link.sourceType, std::u16string(link.destination));
    return true;
}

void SaveKeyNames(const ReleaseSettings& settings, const std::u16string& storeName,
                  const std::u16string& docTypeName) {
    if (!settings.setupData)
        return;
    std::int32_t n = 0;
    for (const DocTypeKey& entry : LinkedDocTypeKeys(settings.catalogue, storeName, docTypeName)) {
        const std::u16string& name = entry.key->name;
        WriteKeyName(*settings.setupData, n, name.empty() ? ParameterName(n) : name, false);
        ++n;
    }
    // Without a catalogue read in this dialog nothing is known about the keys: the names stored
    // before stay, and only missing numbers get a parameter name.
    const bool keepExisting = !settings.catalogueLoaded;
    for (; n < kKeyNameCount; ++n) {
        WriteKeyName(*settings.setupData, n, ParameterName(n), keepExisting);
    }
}

}  // namespace zarn
