#pragma once

#include <cstdint>
#include <string>

#include "transport/xml_document.h"

namespace zarn {

// One document type of a document store.
struct DocStoreDocType {
    std::int32_t id = -1;  // links refer to it through docTypeID
    std::u16string name;
    std::u16string description;
    std::u16string rootFolder;
    bool autoName = false;

    void Reset();

    // Reads a documentType element; false (and nothing to keep) when it has no name.
    [[nodiscard]] bool LoadFromXml(const XmlNode& element);
};

}  // namespace zarn
