#pragma once

#include <optional>

#include <nlohmann/json.hpp>

#include "host/sim/sim_data.h"
#include "tools/json/json_node.h"

namespace zarn::tools {

// What a release-setup record read from JSON is for.
enum class SetupRecordUse {
    // A release: a link's source type must be one that the host knows, since any other number
    // would give the link no value without a word. The menu lists ("indexFields",
    // "batchVariableNames") are accepted and left out: a release takes the index fields from
    // its documents.
    release,
    // The setup: a source type may be any number, as the host may hold one that the setup does
    // not know, and the menu lists are read.
    setup,
};

// Reads a release-setup record: the "setup" member of batch and record files. A link's source
// type is a name ("text", "indexField", ...) or a number. Throws JsonFormatError.
void ReadSetupRecord(const JsonNode& node, SetupRecordUse use, host::sim::SetupRecord& record);

// The record in the form that ReadSetupRecord reads for the setup.
nlohmann::json SetupRecordJson(const host::sim::SetupRecord& record);

// An object's members as name → text pairs, in the file's order; none when it is absent.
host::sim::NamedTexts ReadNamedTexts(const std::optional<JsonNode>& node);

}  // namespace zarn::tools
