#pragma once

#include <optional>

#include "tools/docstore_server/catalogue_fixture.h"
#include "tools/docstore_server/received_document.h"

namespace zarn::docstore {

// Field names of a posted document.
inline constexpr char kDocTypeField[] = "docType";
inline constexpr char kDocumentFilePart[] = "document";

// Checks a posted document against its store's catalogue: a known document type, a document
// file, and a non-empty value for every required key of the type. Nothing when it is sound.
std::optional<Refusal> CheckDocument(const FixtureStore& store, const ReceivedDocument& document);

}  // namespace zarn::docstore
