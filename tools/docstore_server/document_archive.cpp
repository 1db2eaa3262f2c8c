#include "tools/docstore_server/document_archive.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <fstream>
#include <optional>

#include <nlohmann/json.hpp>

#include "common/percent_escape.h"
#include "tools/docstore_server/document_check.h"

namespace zarn::docstore {

namespace fs = std::filesystem;
using nlohmann::ordered_json;

namespace {

// Earlier versions wrote the metadata under this name first; stores they wrote may hold it.
constexpr char kPendingMetadataFileName[] = "document.json.part";
constexpr char kNotStored[] = "The document could not be stored";

// Calls `visit` with every entry of a folder; a folder that cannot be read has none.
template <class Visit>
void ForEachEntry(const fs::path& folder, Visit visit) {
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        visit(*entry);
    }
}

std::string UtcNow() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm parts{};
    gmtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

std::string IdFolderName(std::int64_t id) {
    std::string digits = std::to_string(id);
    return std::string(digits.size() < 6 ? 6 - digits.size() : 0, '0') + digits;
}

std::optional<std::int64_t> IdOfFolder(const fs::path& folder) {
    const std::string name = folder.filename().string();
    if (name.empty() || name.size() > 18 ||
        !std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    return std::stoll(name);
}

std::optional<StoredDocument> ReadStoredDocument(const fs::path& folder) {
    std::ifstream in(folder / kMetadataFileName, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    const ordered_json metadata = ordered_json::parse(in, nullptr, false);
    if (metadata.is_discarded() || !metadata.is_object()) {
        return std::nullopt;
    }
    // A member of another type (a file edited by hand) makes the reading throw.
    try {
        StoredDocument document;
        document.folder = folder;
        document.id = metadata.value("id", std::int64_t{0});
        document.store = metadata.value("store", "");
        document.docType = metadata.value("docType", "");
        document.received = metadata.value("received", "");
        if (const auto file = metadata.find("file"); file != metadata.end() && file->is_object()) {
            document.fileName = file->value("storedAs", "");
            document.fileSize = file->value("size", std::uintmax_t{0});
        }
        if (const auto fields = metadata.find("fields");
            fields != metadata.end() && fields->is_array()) {
            for (const ordered_json& field : *fields) {
                if (field.is_object()) {
                    document.fields.emplace_back(field.value("name", ""), field.value("value", ""));
                }
            }
        }
        return document;
    } catch (const ordered_json::exception&) {
        return std::nullopt;
    }
}

// The stored documents of one store folder, by id.
std::vector<StoredDocument> ReadStoreFolder(const fs::path& storeFolder) {
    std::vector<StoredDocument> documents;
    ForEachEntry(storeFolder, [&documents](const fs::directory_entry& entry) {
        if (IdOfFolder(entry.path())) {
            if (std::optional<StoredDocument> document = ReadStoredDocument(entry.path())) {
                documents.push_back(std::move(*document));
            }
        }
    });
    std::sort(documents.begin(), documents.end(),
              [](const StoredDocument& a, const StoredDocument& b) { return a.id < b.id; });
    return documents;
}

// The (type, key, value) entries of a document's unique keys.
std::vector<std::tuple<std::string, std::string, std::string>> UniqueValues(
    const FixtureStore& store, const std::string& docType,
    const std::vector<std::pair<std::string, std::string>>& fields) {
    std::vector<std::tuple<std::string, std::string, std::string>> values;
    const FixtureDocType* type = store.FindDocType(docType);
    if (type == nullptr) {
        return values;
    }
    for (const auto& [name, value] : fields) {
        const FixtureTypeKey* key = type->FindKey(name);
        if (key != nullptr && key->unique && !value.empty()) {
            values.emplace_back(docType, name, value);
        }
    }
    return values;
}

std::vector<std::pair<std::string, std::string>> TextFields(const ReceivedDocument& document) {
    std::vector<std::pair<std::string, std::string>> fields;
    for (const FormPart& part : document.parts) {
        if (!part.fileName) {
            fields.emplace_back(part.name, part.content);
        }
    }
    return fields;
}

// Writes the whole file and waits until it is on disk, so that renaming it into place later
// never shows a name without its content.
bool WriteFile(const fs::path& path, std::string_view content, std::error_code& error) {
    const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    int failure = file < 0 ? errno : 0;
    while (failure == 0 && !content.empty()) {
        const ssize_t count = ::write(file, content.data(), content.size());
        if (count > 0) {
            content.remove_prefix(static_cast<std::size_t>(count));
        } else if (count == 0 || errno != EINTR) {
            failure = count == 0 ? EIO : errno;
        }
    }
    if (failure == 0 && ::fsync(file) != 0) {
        failure = errno;
    }
    if (file >= 0 && ::close(file) != 0 && failure == 0) {
        failure = errno;
    }
    error.assign(failure, std::generic_category());
    return failure == 0;
}

// The store folders below `root`, by name.
std::vector<fs::path> StoreFolders(const fs::path& root) {
    std::vector<fs::path> storeFolders;
    ForEachEntry(root, [&storeFolders](const fs::directory_entry& entry) {
        std::error_code error;
        if (entry.is_directory(error)) {
            storeFolders.push_back(entry.path());
        }
    });
    std::sort(storeFolders.begin(), storeFolders.end());
    return storeFolders;
}

std::string Reason(const std::error_code& error) {
    return error ? ": " + error.message() : std::string();
}

}  // namespace

std::string StoreFolderName(std::string_view storeName) {
    return PercentEscaped(storeName, [](std::string_view name, std::size_t position) {
        const char byte = name[position];
        return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
               (byte >= '0' && byte <= '9') || byte == '-' || byte == '_' ||
               (byte == '.' && position > 0);
    });
}

std::string SafeFileName(std::string_view postedName) {
    const auto slash = postedName.find_last_of("/\\");
    std::string_view last =
        slash == std::string_view::npos ? postedName : postedName.substr(slash + 1);
    std::string name;
    for (const char c : last) {
        const auto byte = static_cast<unsigned char>(c);
        name += (byte < 0x20 || byte == 0x7F ||
                 std::string_view(":*?\"<>|").find(c) != std::string_view::npos)
                    ? '_'
                    : c;
    }
    if (name.empty() || name == "." || name == "..") {
        return "document";
    }
    // The archive's own files must not take the place of the document's file.
    return name == kMetadataFileName || name == kPendingMetadataFileName ? "file-" + name : name;
}

std::vector<StoredDocument> ListStoredDocuments(const fs::path& root) {
    std::vector<StoredDocument> documents;
    for (const fs::path& folder : StoreFolders(root)) {
        std::vector<StoredDocument> ofStore = ReadStoreFolder(folder);
        std::move(ofStore.begin(), ofStore.end(), std::back_inserter(documents));
    }
    return documents;
}

DocumentArchive::DocumentArchive(fs::path root) : root_(std::move(root)) {}

void DocumentArchive::RemoveUnfinishedWrites() {
    for (const fs::path& storeFolder : StoreFolders(root_)) {
        ForEachEntry(storeFolder, [](const fs::directory_entry& entry) {
            const fs::path& unfinished = entry.path();
            if (unfinished.extension() == kUnfinishedSuffix && IdOfFolder(unfinished.stem())) {
                std::error_code error;
                fs::remove_all(unfinished, error);
                // And the folder that held its id, empty until the rename.
                fs::remove(unfinished.parent_path() / unfinished.stem(), error);
            }
        });
    }
}

DocumentArchive::StoreState& DocumentArchive::StateOf(const FixtureStore& store) {
    StoreState& state = stores_[store.name];
    if (!state.loaded) {
        // Documents stored by an earlier run count for ids and unique keys.
        const fs::path folder = root_ / StoreFolderName(store.name);
        ForEachEntry(folder, [&state](const fs::directory_entry& entry) {
            state.lastId = std::max(state.lastId, IdOfFolder(entry.path()).value_or(0));
        });
        for (const StoredDocument& stored : ReadStoreFolder(folder)) {
            for (auto& value : UniqueValues(store, stored.docType, stored.fields)) {
                state.uniqueValues.insert(std::move(value));
            }
        }
        state.loaded = true;
    }
    return state;
}

std::variant<StoredDocument, Refusal> DocumentArchive::Store(const FixtureStore& store,
                                                             const ReceivedDocument& document) {
    if (std::optional<Refusal> refusal = CheckDocument(store, document)) {
        return *refusal;
    }
    const std::lock_guard<std::mutex> lock(mutex_);
    StoreState& state = StateOf(store);
    const auto uniqueValues =
        UniqueValues(store, document.FindText(kDocTypeField)->content, TextFields(document));
    for (const auto& entry : uniqueValues) {
        if (state.uniqueValues.count(entry) != 0) {
            return Refusal{409, "Key \"" + std::get<1>(entry) +
                                    "\" must be unique; a document with "
                                    "the value \"" +
                                    std::get<2>(entry) + "\" is stored already"};
        }
    }
    std::variant<StoredDocument, Refusal> outcome = Write(store.name, document, state);
    if (std::holds_alternative<StoredDocument>(outcome)) {
        state.uniqueValues.insert(uniqueValues.begin(), uniqueValues.end());
    }
    return outcome;
}

std::variant<StoredDocument, Refusal> DocumentArchive::Write(const std::string& storeName,
                                                             const ReceivedDocument& document,
                                                             StoreState& state) {
    const fs::path storeFolder = root_ / StoreFolderName(storeName);
    std::error_code error;
    fs::create_directories(storeFolder, error);
    StoredDocument stored;
    // Another server on the same folder may have taken the next id: take the one after.
    for (int attempt = 0; attempt < 1000 && stored.folder.empty(); ++attempt) {
        const fs::path folder = storeFolder / IdFolderName(++state.lastId);
        if (fs::create_directory(folder, error)) {
            stored.folder = folder;
        } else if (error) {
            break;
        }
    }
    if (stored.folder.empty()) {
        return Refusal{500, kNotStored,
                       "no document id free in " + storeFolder.string() + Reason(error)};
    }
    const FormPart& file = *document.FindFile(kDocumentFilePart);
    stored.id = state.lastId;
    stored.store = storeName;
    stored.docType = document.FindText(kDocTypeField)->content;
    stored.received = UtcNow();
    stored.fileName = SafeFileName(*file.fileName);
    stored.fileSize = file.content.size();
    stored.fields = TextFields(document);

    ordered_json metadata = {
        {"id", stored.id},
        {"store", stored.store},
        {"docType", stored.docType},
        {"received", stored.received},
        {"file",
         {{"name", *file.fileName}, {"storedAs", stored.fileName}, {"size", stored.fileSize}}},
        {"fields", ordered_json::array()}};
    for (const auto& [name, value] : stored.fields) {
        metadata["fields"].push_back({{"name", name}, {"value", value}});
    }
    const std::string metadataText =
        metadata.dump(2, ' ', false, ordered_json::error_handler_t::replace) + "\n";
    // The claimed folder stays empty until the complete one takes its place.
    const fs::path unfinished = stored.folder.string() + kUnfinishedSuffix;
    fs::remove_all(unfinished, error);
    if (!fs::create_directory(unfinished, error) ||
        !WriteFile(unfinished / stored.fileName, file.content, error) ||
        !WriteFile(unfinished / kMetadataFileName, metadataText, error) ||
        (fs::rename(unfinished, stored.folder, error), error)) {
        const std::string detail = "cannot write " + unfinished.string() + Reason(error);
        fs::remove_all(unfinished, error);
        fs::remove(stored.folder, error);
        return Refusal{500, kNotStored, detail};
    }
    return stored;
}

}  // namespace zarn::docstore
