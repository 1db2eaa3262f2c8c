#include "catalogue/doc_store.h"

#include <algorithm>

#include "catalogue/find_first.h"
#include "catalogue/xml_fields.h"

namespace zarn {

void DocStore::Reset() {
    *this = DocStore();
}

const DocStoreDocType* DocStore::FindDocType(std::u16string_view docTypeName) const {
    return FindByName(docTypes, docTypeName);
}

bool DocStore::GetDocTypeKeys(std::u16string_view docTypeName, std::vector<DocTypeKey>& out) const {
    const DocStoreDocType* wanted = FindDocType(docTypeName);
    if (!wanted)
        return false;
    for (const DocTypeToKeyMapper& link : links) {
        // A link belongs to the first document type with its id, and to no other.
        const DocStoreDocType* owner = FindFirst(
            docTypes, [&](const DocStoreDocType& docType) { return docType.id == link.docTypeID; });
        if (owner != wanted)
            continue;
        const DocStoreKey* key =
            FindFirst(keys, [&](const DocStoreKey& k) { return k.id == link.keyTableID; });
        DocTypeKey entry{link.sortIndex, key, link.keyRequired, link.keyUnique};
        auto before = std::find_if(out.begin(), out.end(), [&](const DocTypeKey& existing) {
            return existing.sortIndex > entry.sortIndex;
        });
        out.insert(before, entry);
    }
    return true;
}

bool DocStore::LoadFromXml(const XmlNode& element) {
    Reset();
    if (!ReadTextField(element, u"name", name))
        return false;
    ReadTextField(element, u"description", description);
    ReadTextField(element, u"library", library);
    return true;
}

}  // namespace zarn
