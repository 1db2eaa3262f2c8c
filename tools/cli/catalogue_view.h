#pragma once

#include <ostream>
#include <string>

namespace zarn::tools {

enum class CatalogueFormat { kTree, kJson };

// Loads the catalogue as the setup's Reload does and prints it. A failed request, or a reply
// that is no catalogue document, shows the system's own message on standard error; false then
// (a store whose details failed is still printed, without document types; nothing is printed
// when the store list failed).
bool LoadAndPrintCatalogue(const std::string& server, const std::string& user,
                           const std::string& password, CatalogueFormat format, std::ostream& out);

}  // namespace zarn::tools
