#pragma once

#include <string>
#include <vector>

#include "host/sim/sim_data.h"
#include "host/sim/sim_values.h"

namespace zarn::host::sim {

// The members of ReleaseData.Values for one document, as the host builds them: one per stored
// link, in link order, with the link's destination, source type and source name and the
// source's value for this document:
// - text constant: the link's text;
// - index field: the document's value of that field; for a table column (an index field of the
//   document class that names a table) the table name and the column's rows, and as Value the
//   rows joined by the row separator;
// - Capture value, batch field: the batch's value (the document's own original-file values for
//   "First Page Original File Name", "OriginalFolder" and "OriginalFileNameExt");
// - document id: the document's id;
// - undefined or unknown source type, or a source without a value: empty.
std::vector<ValueData> BuildValues(const SetupRecord& record, const Batch& batch,
                                   const Document& document, const std::u16string& rowSeparator);

}  // namespace zarn::host::sim
