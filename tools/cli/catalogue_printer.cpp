#include "tools/cli/catalogue_printer.h"

#include <algorithm>

#include <nlohmann/json.hpp>

#include "common/utf16_text.h"
#include "tools/text/visible_text.h"

namespace zarn::tools {

using nlohmann::ordered_json;

namespace {

// A document type's keys in sort order as the setup counts them: entries without a key
// are left out and take no number.
std::vector<DocTypeKey> KeysOf(const DocStore& store, const DocStoreDocType& type) {
    std::vector<DocTypeKey> keys;
    store.GetDocTypeKeys(type.name, keys);
    keys.erase(std::remove_if(keys.begin(), keys.end(),
                              [](const DocTypeKey& entry) { return entry.key == nullptr; }),
               keys.end());
    return keys;
}

std::string Flags(const DocTypeKey& entry) {
    std::string flags = entry.keyRequired ? "required" : "";
    if (entry.keyUnique) {
        flags += flags.empty() ? "unique" : ", unique";
    }
    return flags;
}

// The display width of a text, in characters.
std::size_t Width(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string PadTo(const std::string& text, std::size_t width) {
    return text + std::string(width > Width(text) ? width - Width(text) : 0, ' ');
}

std::string Titled(const std::u16string& name, const std::u16string& description) {
    return VisibleText(name) + (description.empty() ? "" : ": " + VisibleText(description));
}

void PrintKeys(std::ostream& out, const std::vector<DocTypeKey>& keys) {
    std::size_t nameWidth = 0;
    std::size_t typeWidth = 0;
    std::size_t flagsWidth = 0;
    for (const DocTypeKey& entry : keys) {
        nameWidth = std::max(nameWidth, Width(VisibleText(entry.key->name)));
        typeWidth = std::max(typeWidth, Width(VisibleText(entry.key->TypeDescription())));
        flagsWidth = std::max(flagsWidth, Width(Flags(entry)));
    }
    for (std::size_t n = 0; n < keys.size(); ++n) {
        const DocStoreKey& key = *keys[n].key;
        std::string line = "    [" + ToUtf8(TwoDigits(static_cast<std::int32_t>(n))) + "] " +
                           PadTo(VisibleText(key.name), nameWidth) + "  " +
                           PadTo(VisibleText(key.TypeDescription()), typeWidth) + "  " +
                           PadTo(Flags(keys[n]), flagsWidth) + "  " + VisibleText(key.description);
        line.erase(line.find_last_not_of(' ') + 1);
        out << line << "\n";
    }
}

ordered_json KeyJson(const DocStoreKey& key) {
    return {{"id", key.id},
            {"name", ToUtf8(key.name)},
            {"description", ToUtf8(key.description)},
            {"typeCode", static_cast<std::int32_t>(key.type)},
            {"typeDescription", ToUtf8(key.TypeDescription())},
            {"size", key.size},
            {"scale", key.scale}};
}

}  // namespace

void PrintCatalogueTree(std::ostream& out, const std::u16string& server,
                        const std::vector<DocStore>& stores) {
    out << "Catalogue of " << VisibleText(server) << ": " << stores.size()
        << (stores.size() == 1 ? " store" : " stores") << "\n";
    for (const DocStore& store : stores) {
        out << "\n"
            << Titled(store.name, store.description)
            << (store.library.empty() ? "" : " (library " + VisibleText(store.library) + ")")
            << "\n";
        if (store.docTypes.empty()) {
            out << "  (no document types)\n";
        }
        for (const DocStoreDocType& type : store.docTypes) {
            out << "  " << Titled(type.name, type.description) << "\n";
            const std::vector<DocTypeKey> keys = KeysOf(store, type);
            if (keys.empty()) {
                out << "    (no keys)\n";
            }
            PrintKeys(out, keys);
        }
    }
}

void PrintCatalogueJson(std::ostream& out, const std::u16string& server,
                        const std::vector<DocStore>& stores) {
    ordered_json catalogue = {{"server", ToUtf8(server)}, {"stores", ordered_json::array()}};
    for (const DocStore& store : stores) {
        ordered_json storeJson = {{"name", ToUtf8(store.name)},
                                  {"description", ToUtf8(store.description)},
                                  {"library", ToUtf8(store.library)},
                                  {"documentTypes", ordered_json::array()},
                                  {"keys", ordered_json::array()}};
        for (const DocStoreDocType& type : store.docTypes) {
            ordered_json typeJson = {{"name", ToUtf8(type.name)},
                                     {"description", ToUtf8(type.description)},
                                     {"id", type.id},
                                     {"rootFolder", ToUtf8(type.rootFolder)},
                                     {"autoName", type.autoName},
                                     {"keys", ordered_json::array()}};
            const std::vector<DocTypeKey> keys = KeysOf(store, type);
            for (std::size_t n = 0; n < keys.size(); ++n) {
                ordered_json keyJson = KeyJson(*keys[n].key);
                keyJson["parameter"] = ToUtf8(TwoDigits(static_cast<std::int32_t>(n)));
                keyJson["sortIndex"] = keys[n].sortIndex;
                keyJson["required"] = keys[n].keyRequired;
                keyJson["unique"] = keys[n].keyUnique;
                typeJson["keys"].push_back(std::move(keyJson));
            }
            storeJson["documentTypes"].push_back(std::move(typeJson));
        }
        for (const DocStoreKey& key : store.keys) {
            storeJson["keys"].push_back(KeyJson(key));
        }
        catalogue["stores"].push_back(std::move(storeJson));
    }
    // JSON's own escapes for everything but ASCII: no control character reaches the terminal.
    const bool ensureAscii = true;
    out << catalogue.dump(2, ' ', ensureAscii) << "\n";
}

}  // namespace zarn::tools
