#include "catalogue/doc_store_doc_type.h"

#include "catalogue/xml_fields.h"

namespace zarn {

void DocStoreDocType::Reset() {
    *this = DocStoreDocType();
}

bool DocStoreDocType::LoadFromXml(const XmlNode& element) {
    Reset();
    if (!ReadTextField(element, u"name", name))
        return false;
    ReadTextField(element, u"description", description);
    ReadTextField(element, u"rootFolder", rootFolder);
    ReadIntegerField(element, u"id", id);
    ReadWordFlagField(element, u"autoName", autoName);
    return true;
}

}  // namespace zarn
