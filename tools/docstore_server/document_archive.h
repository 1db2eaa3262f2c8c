#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "tools/docstore_server/catalogue_fixture.h"
#include "tools/docstore_server/received_document.h"

namespace zarn::docstore {

// A document as the archive keeps it: one folder per document below its store's folder,
// holding the file as sent and "document.json" with the fields in the order received.
struct StoredDocument {
    std::int64_t id = 0;
    std::string store;
    std::string docType;
    std::string received;  // UTC, ISO 8601
    std::string fileName;  // the stored file, inside `folder`
    std::uintmax_t fileSize = 0;
    std::vector<std::pair<std::string, std::string>> fields;
    std::filesystem::path folder;
};

inline constexpr char kMetadataFileName[] = "document.json";
// A document is written into the folder "<id>.part" beside its own and renamed to "<id>" once
// complete, so that no reader of the store folder sees half of it.
inline constexpr char kUnfinishedSuffix[] = ".part";

// Folder name of a store: its name with every byte that a portable file name cannot hold
// written as %XX, so that distinct names stay distinct and none leaves the root.
std::string StoreFolderName(std::string_view storeName);

// The last component of a posted file name, cleaned of characters that a file name cannot
// hold; never empty, never "." or "..", never the name of the archive's own files.
std::string SafeFileName(std::string_view postedName);

// The documents stored below `root`, by store folder and id; documents whose metadata cannot
// be read are left out.
std::vector<StoredDocument> ListStoredDocuments(const std::filesystem::path& root);

// Stores accepted documents below a root folder; safe to use from several threads.
class DocumentArchive {
  public:
    explicit DocumentArchive(std::filesystem::path root);

    // Removes what writes cut off by the end of an earlier run left behind in the store folders.
    void RemoveUnfinishedWrites();

    // Checks the document (CheckDocument) and writes it. A value of a unique key that a stored
    // document of the same type already holds refuses it (409); a failure to write refuses it with
    // 500 and leaves nothing behind. A refusal's description never names a folder.
    std::variant<StoredDocument, Refusal> Store(const FixtureStore& store,
                                                const ReceivedDocument& document);

  private:
    struct StoreState {
        bool loaded = false;
        std::int64_t lastId = 0;
        std::set<std::tuple<std::string, std::string, std::string>>
            uniqueValues;  // type, key, value
    };

    StoreState& StateOf(const FixtureStore& store);
    std::variant<StoredDocument, Refusal> Write(const std::string& storeName,
                                                const ReceivedDocument& document,
                                                StoreState& state);

    std::filesystem::path root_;
    std::mutex mutex_;
    std::map<std::string, StoreState> stores_;
};

}  // namespace zarn::docstore
