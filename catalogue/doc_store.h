#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/doc_store_doc_type.h"
#include "catalogue/doc_store_key.h"
#include "catalogue/doc_type_to_key_mapper.h"
#include "common/services.h"
#include "transport/xml_document.h"

namespace zarn {

// One store of the document-store server with its document types, keys and the links between
// them, each list in the order of the server's reply. A copy is independent of its source.
struct DocStore {
    std::u16string name;  // identity in lookups, the details URL and the stored settings
    std::u16string description;
    std::u16string library;
    std::vector<DocStoreDocType> docTypes;
    std::vector<DocStoreKey> keys;
    std::vector<DocTypeToKeyMapper> links;

    // Empties the texts and all three lists.
    void Reset();

    // The first document type with exactly this name, or null.
    const DocStoreDocType* FindDocType(std::u16string_view docTypeName) const;

    // Appends the keys linked to the named document type to `out`, keeping `out` in ascending
    // sortIndex order (equal indexes in link order; what `out` held takes part). False, with
    // `out` untouched, when there is no such document type: a caller that started with an
    // empty list need not ask.
    bool GetDocTypeKeys(std::u16string_view docTypeName, std::vector<DocTypeKey>& out) const;

    // Reads a store element of the store list; false (and nothing to keep) when it has no name.
    [[nodiscard]] bool LoadFromXml(const XmlNode& element);

    // Replaces the keys, document types and links with those of the store's details request.
    // A failed request is shown to the user and leaves the three lists empty.
    [[nodiscard]] bool LoadDetails(const Services& services, std::u16string_view serverURL,
                                   std::u16string_view userName, std::u16string_view password);
};

}  // namespace zarn
