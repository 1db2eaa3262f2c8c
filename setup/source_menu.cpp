#include "setup/source_menu.h"

#include <memory>
#include <optional>

#include "resources/control_ids.h"

namespace zarn {
namespace {

// Index field n as the host names it, or nothing.
std::optional<std::u16string> IndexFieldName(host::IIndexFields& fields, std::int32_t n) {
    std::shared_ptr<host::IIndexField> field;
    std::u16string name;
    if (Failed(fields.GetItem(n, field)) || !field || Failed(field->GetName(name))) {
        return std::nullopt;
    }
    return name;
}

std::shared_ptr<host::IIndexFields> IndexFields(const ReleaseSettings& settings) {
    std::shared_ptr<host::IIndexFields> fields;
    if (!settings.setupData || Failed(settings.setupData->GetIndexFields(fields)))
        return nullptr;
    return fields;
}

MenuItem Submenu(std::u16string text) {
    MenuItem item;
    item.text = std::move(text);
    return item;
}

// The index fields: only as many as the command range holds.
void AppendIndexFields(const ReleaseSettings& settings, const LinkSlot& target,
                       MenuDescription& menu) {
    std::shared_ptr<host::IIndexFields> fields = IndexFields(settings);
    if (!fields)
        return;
    MenuItem indexFields = Submenu(u"Document Index Fields");
    std::int32_t count = 0;
    // A count that cannot be read leaves the submenu empty.
    static_cast<void>(fields->GetCount(count));
    const bool mapped = target.sourceType == host::KFX_REL_INDEXFIELD;
    for (std::int32_t n = 1; n <= count && n < kSourceSubmenuCapacity; ++n) {
        if (std::optional<std::u16string> name = IndexFieldName(*fields, n)) {
            const bool checked = mapped && *name == target.source;
            indexFields.submenu.push_back(
                {IndexFieldCommandBase + n, std::move(*name), checked, {}});
        }
    }
    menu.push_back(std::move(indexFields));
}

void AppendCaptureValues(const ReleaseSettings& settings, MenuDescription& menu) {
    const std::vector<std::u16string>& names = settings.captureValueNames;
    if (names.empty())
        return;
    MenuItem captureValues = Submenu(u"Kofax Capture Values");
    for (std::size_t i = 0; i < names.size() && i < kSourceSubmenuCapacity; ++i) {
        captureValues.submenu.push_back(
            {CaptureValueCommandBase + static_cast<int>(i), names[i], false, {}});
    }
    menu.push_back(std::move(captureValues));
}

bool InRange(int command, int base) {
    return command >= base && command < base + kSourceSubmenuCapacity;
}

}  // namespace

MenuDescription BuildSourceMenu(const ReleaseSettings& settings, const LinkSlot& target) {
    MenuDescription menu;
#define ZARN_MENU_ITEM(id, text) menu.push_back({id, u"" text, false, {}});
#include "resources/source_menu.inc"
#undef ZARN_MENU_ITEM
    for (MenuItem& item : menu) {
        item.checked =
            (item.id == ID_SOURCE_NO_MAPPING &&
             target.sourceType == host::KFX_REL_UNDEFINED_LINK) ||
            (item.id == ID_SOURCE_TEXT_CONSTANT && target.sourceType == host::KFX_REL_TEXTCONSTANT);
    }
    AppendIndexFields(settings, target, menu);
    AppendCaptureValues(settings, menu);
    return menu;
}

bool IsSourceCommand(int command) {
    return command == ID_SOURCE_TEXT_CONSTANT || command == ID_SOURCE_NO_MAPPING ||
           InRange(command, IndexFieldCommandBase) || InRange(command, CaptureValueCommandBase);
}

bool ApplySourceCommand(const ReleaseSettings& settings, int command, LinkSlot& target) {
    if (command == ID_SOURCE_TEXT_CONSTANT) {
        target = {u"", host::KFX_REL_TEXTCONSTANT};
        return true;
    }
    if (command == ID_SOURCE_NO_MAPPING) {
        target = {u"", host::KFX_REL_UNDEFINED_LINK};
        return true;
    }
    if (InRange(command, IndexFieldCommandBase)) {
        std::shared_ptr<host::IIndexFields> fields = IndexFields(settings);
        if (!fields)
            return false;
        std::optional<std::u16string> name =
            IndexFieldName(*fields, command - IndexFieldCommandBase);
        if (!name)
            return false;
        target = {std::move(*name), host::KFX_REL_INDEXFIELD};
        return true;
    }
    if (InRange(command, CaptureValueCommandBase)) {
        const auto i = static_cast<std::size_t>(command - CaptureValueCommandBase);
        if (i >= settings.captureValueNames.size())
            return false;
        target = {settings.captureValueNames[i], host::KFX_REL_VARIABLE};
        return true;
    }
    return false;
}

}  // namespace zarn
