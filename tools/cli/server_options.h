#pragma once

#include <string>

#include "tools/cli/arguments.h"
#include "tools/docstore_server/docstore_server.h"

namespace zarn::tools {

// Reads the options of `zarnrel serve` (--port, --host, --store-dir, --user, --password)
// into settings; false with an error text on bad usage.
bool ReadServerOptions(const Arguments& arguments, docstore::ServerSettings& settings,
                       std::string& error);

// Reads the catalogue that --catalogue names, else the bundled sample; false with an error
// text that names the file, line and column.
bool LoadServedCatalogue(const Arguments& arguments, docstore::Catalogue& catalogue,
                         std::string& error);

}  // namespace zarn::tools
