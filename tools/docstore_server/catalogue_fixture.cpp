#include "tools/docstore_server/catalogue_fixture.h"

#include <set>

#include "tools/json/json_node.h"

namespace zarn::docstore {

using tools::JsonFile;
using tools::JsonFormatError;
using tools::JsonNode;

namespace {

template <typename Record>
const Record* FindByName(const std::vector<Record>& records, std::string_view name) {
    for (const Record& record : records) {
        if (record.name == name) {
            return &record;
        }
    }
    return nullptr;
}

// Names (and ids) identify records in lookups and in the served links: a repeat would make
// one record unreachable.
void ExpectNew(std::set<std::string>& seen, const std::string& value, const JsonNode& node,
               std::string_view what) {
    if (!seen.insert(value).second) {
        node.Fail(std::string(what) + " \"" + value + "\" appears twice");
    }
}

FixtureKey ReadKey(const JsonNode& node, std::int32_t defaultId) {
    node.ExpectObject({"id", "name", "description", "type", "size", "scale"});
    FixtureKey key;
    key.id = node.IntegerOr("id", defaultId);
    key.name = node.RequiredMember("name").NonEmptyText();
    key.description = node.TextOr("description", "");
    key.type = node.RequiredMember("type").NonEmptyText();
    key.size = node.IntegerOr("size", 0);
    key.scale = node.IntegerOr("scale", 0);
    return key;
}

FixtureDocType ReadDocType(const JsonNode& node, std::int32_t defaultId,
                           const FixtureStore& store) {
    node.ExpectObject({"id", "name", "description", "rootFolder", "autoName", "keys"});
    FixtureDocType type;
    type.id = node.IntegerOr("id", defaultId);
    type.name = node.RequiredMember("name").NonEmptyText();
    type.description = node.TextOr("description", "");
    type.rootFolder = node.TextOr("rootFolder", "");
    type.autoName = node.FlagOr("autoName", false);
    std::set<std::string> seen;
    if (const auto keys = node.Member("keys")) {
        std::int32_t position = 0;
        for (const JsonNode& entry : keys->Elements()) {
            entry.ExpectObject({"key", "sortIndex", "required", "unique"});
            FixtureTypeKey typeKey;
            const JsonNode keyName = entry.RequiredMember("key");
            typeKey.key = keyName.NonEmptyText();
            if (store.FindKey(typeKey.key) == nullptr) {
                keyName.Fail("the store has no key \"" + typeKey.key + "\"");
            }
            ExpectNew(seen, typeKey.key, keyName, "key");
            typeKey.sortIndex = entry.IntegerOr("sortIndex", position++);
            typeKey.required = entry.FlagOr("required", false);
            typeKey.unique = entry.FlagOr("unique", false);
            type.keys.push_back(typeKey);
        }
    }
    return type;
}

FixtureStore ReadStore(const JsonNode& node) {
    node.ExpectObject({"name", "description", "library", "keys", "documentTypes"});
    FixtureStore store;
    store.name = node.RequiredMember("name").NonEmptyText();
    store.description = node.TextOr("description", "");
    store.library = node.TextOr("library", "");
    std::set<std::string> names;
    std::set<std::string> ids;
    if (const auto keys = node.Member("keys")) {
        for (const JsonNode& entry : keys->Elements()) {
            store.keys.push_back(ReadKey(entry, static_cast<std::int32_t>(store.keys.size()) + 1));
            ExpectNew(names, store.keys.back().name, entry, "key");
            ExpectNew(ids, std::to_string(store.keys.back().id), entry, "key id");
        }
    }
    names.clear();
    ids.clear();
    if (const auto types = node.Member("documentTypes")) {
        for (const JsonNode& entry : types->Elements()) {
            store.documentTypes.push_back(ReadDocType(
                entry, static_cast<std::int32_t>(store.documentTypes.size()) + 1, store));
            ExpectNew(names, store.documentTypes.back().name, entry, "document type");
            ExpectNew(ids, std::to_string(store.documentTypes.back().id), entry,
                      "document type id");
        }
    }
    return store;
}

bool ReadCatalogue(const JsonFile& file, Catalogue& catalogue, std::string& error) {
    try {
        const JsonNode root(file);
        root.ExpectObject({"stores"});
        Catalogue read;
        std::set<std::string> names;
        for (const JsonNode& entry : root.RequiredMember("stores").Elements()) {
            read.stores.push_back(ReadStore(entry));
            ExpectNew(names, read.stores.back().name, entry, "store");
        }
        catalogue = std::move(read);
        return true;
    } catch (const JsonFormatError& failure) {
        error = failure.what();
        return false;
    }
}

}  // namespace

const FixtureTypeKey* FixtureDocType::FindKey(std::string_view keyName) const {
    for (const FixtureTypeKey& key : keys) {
        if (key.key == keyName) {
            return &key;
        }
    }
    return nullptr;
}

const FixtureKey* FixtureStore::FindKey(std::string_view keyName) const {
    return FindByName(keys, keyName);
}

const FixtureDocType* FixtureStore::FindDocType(std::string_view typeName) const {
    return FindByName(documentTypes, typeName);
}

const FixtureStore* Catalogue::FindStore(std::string_view storeName) const {
    return FindByName(stores, storeName);
}

bool LoadCatalogueFixture(const std::filesystem::path& path, Catalogue& catalogue,
                          std::string& error) {
    JsonFile file;
    return file.Load(path, error) && ReadCatalogue(file, catalogue, error);
}

bool ParseCatalogueFixture(const std::filesystem::path& name, std::string_view text,
                           Catalogue& catalogue, std::string& error) {
    JsonFile file;
    return file.LoadText(name, text, error) && ReadCatalogue(file, catalogue, error);
}

}  // namespace zarn::docstore
