#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "host/sim/sim_data.h"

namespace zarn::tools {

// A release-setup record kept in a JSON file (comments allowed): its "setup" member holds the
// record as batch files hold it, plus the document class's index fields and the batch's
// Capture value names:
//   "indexFields": ["Invoice Number", {"name": "Amount", "table": "Lines"}, ...]
//   "batchVariableNames": ["Batch Name", ...]
// A link's source type is a name ("text", "indexField", ...) or any number, as the host may
// hold one that the setup does not know.
struct SetupRecordFile {
    // The whole file: saving replaces its "setup" member and keeps the others as they were.
    nlohmann::json root;
    std::shared_ptr<host::sim::SetupRecord> record = std::make_shared<host::sim::SetupRecord>();
};

// False with an error text that names the file, line and column.
bool LoadSetupRecordFile(const std::filesystem::path& path, SetupRecordFile& file,
                         std::string& error);

// Writes the record back into the file's "setup" member. The file's comments do not survive,
// and members come in the order of their names.
bool SaveSetupRecordFile(const std::filesystem::path& path, const SetupRecordFile& file,
                         std::string& error);

}  // namespace zarn::tools
