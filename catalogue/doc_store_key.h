#pragma once

#include <cstdint>
#include <string>

#include "catalogue/key_data_type.h"
#include "transport/xml_document.h"

namespace zarn {

// One key (index column) of a document store.
struct DocStoreKey {
    std::int32_t id = -1;  // links refer to it through keyTableID
    KeyDataType type = KeyDataType::kUnknown;
    std::u16string name;
    std::u16string description;
    std::int32_t size = 0;   // length of a text key, precision of a decimal key
    std::int32_t scale = 0;  // scale of a decimal key

    void Reset();

    // Reads a docStoreKey element; false (and nothing to keep) when it has no name.
    [[nodiscard]] bool LoadFromXml(const XmlNode& element);

    // Describes type, size and scale as they are now.
    std::u16string TypeDescription() const;
};

}  // namespace zarn
