#pragma once

#include <string>
#include <string_view>

#include "tools/docstore_server/catalogue_fixture.h"

namespace zarn::docstore {

// The XML documents that the server answers with, all below the root element ZARN.

// Text content for an XML element or attribute: markup characters escaped; bytes that are not
// UTF-8 and characters that XML 1.0 cannot carry become U+FFFD.
std::string XmlText(std::string_view text);

// "/docStore/store/": the stores with name, description and library.
std::string StoreListXml(const Catalogue& catalogue);

// "/docStore/store/<name>/docTypeKey/": the store's keys, document types and their links.
std::string StoreDetailsXml(const FixtureStore& store);

// Any outcome: the status code and its description, in the element whose id is
// statusDescription. `details` is inserted as it stands (XML already).
std::string StatusXml(int status, std::string_view description, std::string_view details = {});

}  // namespace zarn::docstore
