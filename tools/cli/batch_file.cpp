#include "tools/cli/batch_file.h"

#include <algorithm>

#include "common/utf16_text.h"
#include "host/kfx_constants.h"
#include "release/stored_names.h"
#include "tools/cli/setup_record_json.h"
#include "tools/json/json_node.h"
#include "tools/json/utf8_path.h"

namespace zarn::tools {

namespace fs = std::filesystem;
using host::sim::Document;
using host::sim::IndexFieldDefinition;
using host::sim::Link;
using host::sim::SetupRecord;

namespace {

constexpr std::u16string_view kServerDestination = NamesOf(NamedSlot::docStoreServer).destination;

std::u16string Utf16(const std::string& text) {
    return FromUtf8(text);
}

// The batch's folder is the base of relative paths.
class BatchReader {
  public:
    explicit BatchReader(const JsonFile& file)
        : file_(file), base_(fs::absolute(file.path()).parent_path()) {}

    void Read(BatchFile& batch) {
        const JsonNode root(file_);
        root.ExpectObject({"setup", "release", "batch", "documents"});
        ReadSetupRecord(root.RequiredMember("setup"), SetupRecordUse::release, *batch.setup);
        if (const auto release = root.Member("release")) {
            release->ExpectObject({"userName", "password", "rowSeparator"});
            batch.session.userName = Utf16(release->TextOr("userName", ""));
            batch.session.password = Utf16(release->TextOr("password", ""));
            batch.session.rowSeparator = Utf16(release->TextOr("rowSeparator", ""));
        }
        if (const auto values = root.Member("batch")) {
            values->ExpectObject({"captureValues", "batchFields"});
            batch.batch.captureValues = ReadNamedTexts(values->Member("captureValues"));
            batch.batch.batchFields = ReadNamedTexts(values->Member("batchFields"));
        }
        const std::vector<JsonNode> documents = root.RequiredMember("documents").Elements();
        if (documents.empty()) {
            root.RequiredMember("documents").Fail("the batch has no documents");
        }
        batch.documents.reserve(documents.size());
        for (const JsonNode& document : documents) {
            batch.documents.push_back(ReadDocument(document, *batch.setup));
            if (batch.documents.back().label.empty()) {
                batch.documents.back().label = "document " + std::to_string(batch.documents.size());
            }
        }
    }

  private:
    BatchDocument ReadDocument(const JsonNode& node, SetupRecord& setup) const {
        node.ExpectObject({"name", "documentId", "indexFields", "tables", "imageFiles",
                           "containsNonImageFile", "kofaxPdfFile", "originalFile"});
        BatchDocument read;
        Document& document = read.document;
        document.documentId = Utf16(node.TextOr("documentId", ""));
        if (const auto fields = node.Member("indexFields")) {
            for (const auto& [name, value] : fields->Members()) {
                DeclareIndexField(setup, name, "", value);
                document.indexFields.emplace_back(Utf16(name), Utf16(value.Text()));
            }
        }
        if (const auto tables = node.Member("tables")) {
            for (const auto& [table, columns] : tables->Members()) {
                for (const auto& [column, rows] : columns.Members()) {
                    DeclareIndexField(setup, column, table, rows);
                    host::sim::TableColumn& tableColumn = document.tableColumns.emplace_back();
                    tableColumn.name = Utf16(column);
                    for (const JsonNode& row : rows.Elements()) {
                        tableColumn.rows.push_back(Utf16(row.Text()));
                    }
                }
            }
        }
        std::string firstFile;
        if (const auto images = node.Member("imageFiles")) {
            for (const JsonNode& image : images->Elements()) {
                document.imageFiles.push_back(ExistingFile(image));
                firstFile = firstFile.empty() ? image.Text() : firstFile;
            }
        }
        document.containsNonImageFile = node.IntegerOr("containsNonImageFile", 0);
        if (const auto pdf = node.Member("kofaxPdfFile"); pdf && !pdf->Text().empty()) {
            document.kofaxPdfFileName = ExistingFile(*pdf);
            firstFile = firstFile.empty() ? pdf->Text() : firstFile;
        }
        if (const auto original = node.Member("originalFile")) {
            original->ExpectObject({"folder", "name", "extension"});
            document.originalFolder = Folder(original->TextOr("folder", ""));
            document.originalFileName = Utf16(original->TextOr("name", ""));
            document.originalFileNameExt = Utf16(original->TextOr("extension", ""));
        }
        read.label = node.TextOr("name", "");
        if (read.label.empty()) {
            read.label = !document.documentId.empty() ? ToUtf8(document.documentId)
                                                      : Utf8Of(PathFromUtf8(firstFile).filename());
        }
        return read;
    }

    // The document class's index fields are those that the documents use; a table column
    // names its table.
    static void DeclareIndexField(SetupRecord& setup, const std::string& name,
                                  const std::string& table, const JsonNode& where) {
        const std::u16string field = Utf16(name);
        const auto known = std::find_if(
            setup.indexFields.begin(), setup.indexFields.end(),
            [&field](const IndexFieldDefinition& definition) { return definition.name == field; });
        if (known == setup.indexFields.end()) {
            setup.indexFields.push_back({field, Utf16(table)});
        } else if (known->tableName != Utf16(table)) {
            where.Fail("index field \"" + name + "\" is " +
                       (known->tableName.empty()
                            ? "an ordinary field"
                            : "a column of table \"" + ToUtf8(known->tableName) + "\"") +
                       " in another document");
        }
    }

    fs::path Resolve(const std::string& path) const {
        return (base_ / PathFromUtf8(path)).lexically_normal();
    }

    std::u16string ExistingFile(const JsonNode& node) const {
        const fs::path path = Resolve(node.NonEmptyText());
        std::error_code error;
        if (!fs::is_regular_file(path, error)) {
            node.Fail("file not found: " + Utf8Of(path));
        }
        return Utf16(Utf8Of(path));
    }

    // A folder ends in a separator, so that the host's path joining adds none of its own.
    std::u16string Folder(const std::string& folder) const {
        if (folder.empty()) {
            return {};
        }
        // Appending an empty name adds a separator unless the path ends in one.
        return Utf16(Utf8Of(Resolve(folder) / ""));
    }

    const JsonFile& file_;
    fs::path base_;
};

}  // namespace

bool LoadBatchFile(const fs::path& path, BatchFile& batch, std::string& error) {
    JsonFile file;
    if (!file.Load(path, error)) {
        return false;
    }
    try {
        BatchFile read;
        BatchReader(file).Read(read);
        batch = std::move(read);
        return true;
    } catch (const JsonFormatError& failure) {
        error = failure.what();
        return false;
    }
}

void UseServer(BatchFile& batch, const std::u16string& url) {
    const Link server{url, host::KFX_REL_TEXTCONSTANT, std::u16string(kServerDestination)};
    bool replaced = false;
    for (Link& link : batch.setup->links) {
        if (link.destination == kServerDestination) {
            link = server;
            replaced = true;
        }
    }
    if (!replaced) {
        batch.setup->links.push_back(server);
    }
}

}  // namespace zarn::tools
