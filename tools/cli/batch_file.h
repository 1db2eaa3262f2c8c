#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "host/sim/sim_data.h"

namespace zarn::tools {

struct BatchDocument {
    std::string label;  // how progress lines name the document
    host::sim::Document document;
};

// What the capture host holds when it releases a batch: the release setup record as the setup
// stored it, the release step's own values, the batch and its documents.
struct BatchFile {
    std::shared_ptr<host::sim::SetupRecord> setup = std::make_shared<host::sim::SetupRecord>();
    host::sim::ReleaseSession session;
    host::sim::Batch batch;
    std::vector<BatchDocument> documents;
};

// Reads a batch file (JSON, comments allowed). Paths in it are relative to the file's folder;
// every image file and Kofax PDF file must exist. False with an error text that names the
// file, line and column.
bool LoadBatchFile(const std::filesystem::path& path, BatchFile& batch, std::string& error);

// Makes `url` the server, as if the setup had stored it: the link to "docStoreServer" becomes
// that text constant (one is added when there is none).
void UseServer(BatchFile& batch, const std::u16string& url);

}  // namespace zarn::tools
