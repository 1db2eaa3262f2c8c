#include "tools/docstore_server/server_replies.h"

#include "common/utf16_text.h"

namespace zarn::docstore {

namespace {

constexpr std::string_view kProlog = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

bool XmlCanCarry(char16_t unit) {
    return unit >= 0x20 || unit == u'\t' || unit == u'\n' || unit == u'\r';
}

std::string Element(std::string_view name, std::string_view text) {
    return "<" + std::string(name) + ">" + XmlText(text) + "</" + std::string(name) + ">";
}

std::string Element(std::string_view name, std::int32_t number) {
    return Element(name, std::to_string(number));
}

}  // namespace

std::string XmlText(std::string_view text) {
    // The round trip through UTF-16 replaces malformed UTF-8.
    std::u16string units = FromUtf8(text);
    for (char16_t& unit : units) {
        if (!XmlCanCarry(unit) || unit == 0xFFFE || unit == 0xFFFF) {
            unit = 0xFFFD;
        }
    }
    std::string escaped;
    for (const char c : ToUtf8(units)) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string StoreListXml(const Catalogue& catalogue) {
    std::string xml = std::string(kProlog) + "<ZARN><docStore>\n";
    for (const FixtureStore& store : catalogue.stores) {
        xml += "<store>" + Element("name", store.name) + Element("description", store.description) +
               Element("library", store.library) + "</store>\n";
    }
    return xml + "</docStore></ZARN>\n";
}

std::string StoreDetailsXml(const FixtureStore& store) {
    std::string xml = std::string(kProlog) + "<ZARN><docStore><store>" +
                      Element("name", store.name) + "\n<docStoreKeys>\n";
    for (const FixtureKey& key : store.keys) {
        xml += "<docStoreKey>" + Element("id", key.id) + Element("name", key.name) +
               Element("description", key.description) + Element("type", key.type) +
               Element("size", key.size) + Element("scale", key.scale) + "</docStoreKey>\n";
    }
    xml += "</docStoreKeys>\n<documentTypes>\n";
    for (const FixtureDocType& type : store.documentTypes) {
        xml += "<documentType>" + Element("id", type.id) + Element("name", type.name) +
               Element("description", type.description) + Element("rootFolder", type.rootFolder) +
               Element("autoName", type.autoName ? "YES" : "NO") + "</documentType>\n";
    }
    xml += "</documentTypes>\n<documentTypeKeys>\n";
    for (const FixtureDocType& type : store.documentTypes) {
        for (const FixtureTypeKey& typeKey : type.keys) {
            const FixtureKey* key = store.FindKey(typeKey.key);
            if (key == nullptr) {
                continue;
            }
            xml += "<documentTypeKey>" + Element("docTypeID", type.id) +
                   Element("keyTableID", key->id) + Element("sortIndex", typeKey.sortIndex) +
                   Element("keyRequired", typeKey.required ? 1 : 0) +
                   Element("keyUnique", typeKey.unique ? 1 : 0) + "</documentTypeKey>\n";
        }
    }
    return xml + "</documentTypeKeys>\n</store></docStore></ZARN>\n";
}

std::string StatusXml(int status, std::string_view description, std::string_view details) {
    return std::string(kProlog) + "<ZARN>" + std::string(details) +
           "<status><statusCode id=\"statusCode\">" + std::to_string(status) +
           "</statusCode><statusDescription id=\"statusDescription\">" + XmlText(description) +
           "</statusDescription></status></ZARN>\n";
}

}  // namespace zarn::docstore
