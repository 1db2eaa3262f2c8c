#pragma once

#include <ostream>

#include "tools/cli/batch_file.h"

namespace zarn::tools {

// Releases the batch through the release script as the capture host drives it: the first
// document's data handed over, OpenScript, then for every document its data handed over and
// ReleaseDoc, then CloseScript. Prints one progress line per document as it goes ("[2/5] …"
// with the outcome and the host log text) and a summary. True when every document was
// released.
bool ReleaseBatch(const BatchFile& batch, std::ostream& out);

}  // namespace zarn::tools
