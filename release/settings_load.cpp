#include <optional>

#include "host/custom_properties.h"
#include "release/release_settings.h"

namespace zarn {
namespace {

// Reads one stored property into a named slot as a text constant; a property that cannot be
// read leaves the slot as it was.
// A named slot from the custom property that stores it.
void LoadPropertySlot(ReleaseSettings& settings, NamedSlot slot) {
    std::shared_ptr<host::ICustomProperties> properties;
    if (Failed(settings.setupData->GetCustomProperties(properties)) || !properties)
        return;
    std::u16string value;
    if (host::GetCustomProperty(*properties, std::u16string(NamesOf(slot).property), value)) {
        settings.Named(slot) = {std::move(value), host::KFX_REL_TEXTCONSTANT};
    }
}

bool IsNumericDestination(std::u16string_view destination) {
    if (destination.empty())
        return false;
    for (char16_t c : destination) {
        if ((c < u'0' || c > u'9') && c != u'-' && c != u'.')
            return false;
    }
    return true;
}

// The destination's number as a signed decimal conversion reads it (optional '-', then digits
// up to the first other character), when that number is a numbered slot.
std::optional<std::size_t> NumberedSlotOf(std::u16string_view destination) {
    std::size_t i = 0;
    const bool negative = destination[0] == u'-';
    if (negative)
        ++i;
    std::size_t value = 0;
    for (; i < destination.size() && destination[i] >= u'0' && destination[i] <= u'9'; ++i) {
        value = value * 10 + static_cast<std::size_t>(destination[i] - u'0');
        if (value >= kNumberedSlotCount)
            return std::nullopt;
    }
    if (negative && value != 0)
        return std::nullopt;
    return value;
}

std::optional<NamedSlot> NamedSlotOf(std::u16string_view destination) {
    for (std::size_t i = 0; i < kNamedSlotCount; ++i) {
        const auto slot = static_cast<NamedSlot>(i);
        if (NamedSlotName(slot) == destination)
            return slot;
    }
    return std::nullopt;
}

LinkSlot* SlotOf(ReleaseSettings& settings, std::u16string_view destination) {
    if (IsNumericDestination(destination)) {
        std::optional<std::size_t> number = NumberedSlotOf(destination);
        return number ? &settings.numbered[*number] : nullptr;
    }
    std::optional<NamedSlot> named = NamedSlotOf(destination);
    return named ? &settings.Named(*named) : nullptr;
}

}  // namespace

void LoadReleaseSettings(ReleaseSettings& settings) {
    if (!settings.setupData)
        return;
    LoadPropertySlot(settings, NamedSlot::docStoreServer);
    // A read that fails leaves its text empty.
    std::u16string userName;
    static_cast<void>(settings.setupData->GetUser(userName));
    settings.Named(NamedSlot::docStoreUsername) = {std::move(userName), host::KFX_REL_TEXTCONSTANT};
    std::u16string password;
    static_cast<void>(settings.setupData->GetPassword(password));
    settings.Named(NamedSlot::docStorePassword) = {std::move(password), host::KFX_REL_TEXTCONSTANT};
    LoadPropertySlot(settings, NamedSlot::docStoreName);
    LoadPropertySlot(settings, NamedSlot::docTypeName);
}

bool LoadReleaseLinks(ReleaseSettings& settings) {
    for (LinkSlot& slot : settings.numbered)
        slot.sourceType = host::KFX_REL_UNDEFINED_LINK;
    if (!settings.setupData)
        return false;
    std::shared_ptr<host::ILinks> links;
    std::int32_t count = 0;
    if (Failed(settings.setupData->GetLinks(links)) || !links || Failed(links->GetCount(count))) {
        return false;
    }
    for (std::int32_t i = 1; i <= count; ++i) {
        std::shared_ptr<host::ILink> link;
        std::u16string destination;
        const HResult hr = links->GetItem(i, link);
        if (hr == kBadIndex)
            break;  // the count said more than there is
        if (Failed(hr) || !link || Failed(link->GetDestination(destination)))
            continue;
        LinkSlot* slot = SlotOf(settings, destination);
        if (!slot)
            continue;
        // Reads that fail leave that half of the slot as it was.
        static_cast<void>(link->GetSource(slot->source));
        static_cast<void>(link->GetSourceType(slot->sourceType));
    }
    return true;
}

bool LoadCaptureValueNames(ReleaseSettings& settings) {
    settings.captureValueNames.clear();
    if (!settings.setupData)
        return false;
    std::shared_ptr<host::INameEnumerator> names;
    if (Failed(settings.setupData->GetBatchVariableNames(names)) || !names)
        return false;
    std::u16string name;
    while (names->Next(name) == kOk) {
        settings.captureValueNames.push_back(std::move(name));
        name.clear();
    }
    return true;
}

}  // namespace zarn
