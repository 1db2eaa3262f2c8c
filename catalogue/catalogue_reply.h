#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/services.h"
#include "transport/xml_document.h"

namespace zarn {

// Fetches one catalogue reply. A failed request is shown to the user in a message box naming
// the URL and the failure, and gives null.
[[nodiscard]] std::unique_ptr<XmlDocument> FetchCatalogueReply(const Services& services,
                                                               const std::u16string& url,
                                                               std::u16string_view userName,
                                                               std::u16string_view password);

// Appends a record for every element that reads as one, in document order.
template <typename Record>
void AppendRecords(const std::vector<std::unique_ptr<XmlNode>>& elements,
                   std::vector<Record>& list) {
    list.reserve(list.size() + elements.size());
    for (const std::unique_ptr<XmlNode>& element : elements) {
        Record record;
        if (record.LoadFromXml(*element))
            list.push_back(std::move(record));
    }
}

// Appends the records of the `child` elements of the first container that `containerPath`
// finds in the reply; a missing container adds nothing.
template <typename Record>
void AppendContainedRecords(const XmlNode& reply, std::u16string_view containerPath,
                            std::u16string_view child, std::vector<Record>& list) {
    std::unique_ptr<XmlNode> container = reply.SelectSingleNode(containerPath);
    if (container)
        AppendRecords(container->SelectNodes(child), list);
}

}  // namespace zarn
