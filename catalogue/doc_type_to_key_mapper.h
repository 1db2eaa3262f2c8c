#pragma once

#include <cstdint>

#include "catalogue/doc_store_key.h"
#include "transport/xml_document.h"

namespace zarn {

// One link between a document type and a key of the same store.
struct DocTypeToKeyMapper {
    std::int32_t docTypeID = -1;
    std::int32_t keyTableID = -1;
    std::int32_t sortIndex = -1;  // position of the key within the document type
    bool keyRequired = false;
    bool keyUnique = false;

    // Reads a documentTypeKey element. Every field is optional, so every element makes a link:
    // the result is always true.
    [[nodiscard]] bool LoadFromXml(const XmlNode& element);
};

// One key of a document type, as DocStore::GetDocTypeKeys lists them.
struct DocTypeKey {
    std::int32_t sortIndex = -1;
    // Points into the store's keys; null when the store has no key with the link's id. Valid
    // while the store is neither reloaded nor destroyed.
    const DocStoreKey* key = nullptr;
    bool keyRequired = false;
    bool keyUnique = false;
};

}  // namespace zarn
