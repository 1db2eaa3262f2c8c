#include "catalogue/doc_store_key.h"

#include "catalogue/xml_fields.h"

namespace zarn {

void DocStoreKey::Reset() {
    *this = DocStoreKey();
}

bool DocStoreKey::LoadFromXml(const XmlNode& element) {
    Reset();
    if (!ReadTextField(element, u"name", name))
        return false;
    ReadTextField(element, u"description", description);
    ReadKeyTypeField(element, u"type", type);
    ReadIntegerField(element, u"id", id);
    ReadIntegerField(element, u"size", size);
    ReadIntegerField(element, u"scale", scale);
    return true;
}

std::u16string DocStoreKey::TypeDescription() const {
    return KeyTypeDescription(type, size, scale);
}

}  // namespace zarn
