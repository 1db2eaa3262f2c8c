#include "catalogue/doc_type_to_key_mapper.h"

#include "catalogue/xml_fields.h"

namespace zarn {

bool DocTypeToKeyMapper::LoadFromXml(const XmlNode& element) {
    *this = DocTypeToKeyMapper();
    ReadIntegerField(element, u"docTypeID", docTypeID);
    ReadIntegerField(element, u"keyTableID", keyTableID);
    ReadIntegerField(element, u"sortIndex", sortIndex);
    ReadNumberFlagField(element, u"keyRequired", keyRequired);
    ReadNumberFlagField(element, u"keyUnique", keyUnique);
    return true;
}

}  // namespace zarn
