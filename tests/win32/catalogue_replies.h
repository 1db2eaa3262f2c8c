#pragma once

#include <string>
#include <vector>

#include "tools/docstore_server/catalogue_fixture.h"

namespace zarn::test {

// The replies of a document-store server to a catalogue load, in the order that the load asks:
// the store list, then each store's details. For RawServer::SetReplies.
std::vector<std::string> CatalogueReplies(const docstore::Catalogue& catalogue);

// An HTTP reply with an XML body.
std::string XmlReply(int status, const std::string& reason, const std::string& body);

}  // namespace zarn::test
