#pragma once

// What the simulated host holds: plain records that tests and the command-line tool fill.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zarn::host::sim {

// Name → text pairs in the order added. Lookups take the first pair of a name.
using NamedTexts = std::vector<std::pair<std::u16string, std::u16string>>;

// The text of the first pair named `name`, or nullptr.
const std::u16string* FindText(const NamedTexts& texts, std::u16string_view name);

struct Link {
    std::u16string source;
    std::int32_t sourceType = -1;  // KfxLinkSourceType
    std::u16string destination;
};

// An index field of the document class; a table column names its table.
struct IndexFieldDefinition {
    std::u16string name;
    std::u16string tableName;
};

// The release-setup record of one document class.
struct SetupRecord {
    std::u16string name;
    std::u16string batchClassName;
    std::u16string docClassName;
    std::u16string userName;
    std::u16string password;
    std::vector<Link> links;
    NamedTexts customProperties;
    std::vector<IndexFieldDefinition> indexFields;
    std::vector<std::u16string> batchVariableNames;  // the Capture value names
};

struct Batch {
    NamedTexts captureValues;
    NamedTexts batchFields;
};

// The rows of one table column of a document.
struct TableColumn {
    std::u16string name;
    std::vector<std::u16string> rows;
};

// One document being released.
struct Document {
    std::u16string documentId;
    NamedTexts indexFields;                  // ordinary index fields
    std::vector<TableColumn> tableColumns;   // index fields that are table columns
    std::vector<std::u16string> imageFiles;  // full paths
    std::int32_t containsNonImageFile = 0;
    std::u16string kofaxPdfFileName;
    // The document's file as first imported. The host answers the batch fields "OriginalFolder"
    // and "OriginalFileNameExt" and the Capture value "First Page Original File Name" with these.
    std::u16string originalFolder;
    std::u16string originalFileName;
    std::u16string originalFileNameExt;
};

// What ReleaseData reports of the release step itself.
struct ReleaseSession {
    std::u16string userName;
    std::u16string password;
    std::u16string rowSeparator;
};

}  // namespace zarn::host::sim
