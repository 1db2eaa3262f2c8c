#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zarn::docstore {

// The catalogue that the reference server offers, read from a fixture file. Texts are UTF-8.

struct FixtureKey {
    std::int32_t id = 0;
    std::string name;
    std::string description;
    std::string type;  // SQL-style type word, as the server names it
    std::int32_t size = 0;
    std::int32_t scale = 0;
};

// A key of a document type: which store key, where in the type's order, and its rules.
struct FixtureTypeKey {
    std::string key;  // name of a key of the same store
    std::int32_t sortIndex = 0;
    bool required = false;
    bool unique = false;
};

struct FixtureDocType {
    std::int32_t id = 0;
    std::string name;
    std::string description;
    std::string rootFolder;
    bool autoName = false;
    std::vector<FixtureTypeKey> keys;

    const FixtureTypeKey* FindKey(std::string_view keyName) const;
};

struct FixtureStore {
    std::string name;
    std::string description;
    std::string library;
    std::vector<FixtureKey> keys;
    std::vector<FixtureDocType> documentTypes;

    const FixtureKey* FindKey(std::string_view keyName) const;
    const FixtureDocType* FindDocType(std::string_view typeName) const;
};

struct Catalogue {
    std::vector<FixtureStore> stores;

    const FixtureStore* FindStore(std::string_view storeName) const;
};

// Reads a catalogue fixture (JSON, comments allowed). False with an error text that names
// the file, line and column when it cannot be read or does not describe a sound catalogue.
bool LoadCatalogueFixture(const std::filesystem::path& path, Catalogue& catalogue,
                          std::string& error);
bool ParseCatalogueFixture(const std::filesystem::path& name, std::string_view text,
                           Catalogue& catalogue, std::string& error);

}  // namespace zarn::docstore
