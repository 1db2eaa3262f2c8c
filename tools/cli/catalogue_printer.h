#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "catalogue/doc_store.h"

namespace zarn::tools {

// The catalogue as a readable tree: stores with descriptions, their document types, and each
// type's keys in sort order, numbered as the setup numbers their parameters ([00], [01] …),
// with type description and the required and unique flags.
void PrintCatalogueTree(std::ostream& out, const std::u16string& server,
                        const std::vector<DocStore>& stores);

// The same as JSON, for scripts; the stores also list all of their keys.
void PrintCatalogueJson(std::ostream& out, const std::u16string& server,
                        const std::vector<DocStore>& stores);

}  // namespace zarn::tools
