#include "bench/bench_batch.h"

#include <fstream>

#include <nlohmann/json.hpp>

namespace zarn::bench {

namespace fs = std::filesystem;
using nlohmann::ordered_json;

const char kBenchCatalogue[] = R"({"stores": [{
  "name": "Bench", "description": "Benchmark store",
  "keys": [{"name": "Number", "type": "VARCHAR", "size": 20},
           {"name": "Sender", "type": "VARCHAR", "size": 80}],
  "documentTypes": [{"name": "Letter", "keys": [{"key": "Number", "required": true},
                                                {"key": "Sender", "required": true}]}]
}]})";

namespace {

// The fixed fields of every post, in the order the connector sends them (the file comes after
// the description), with the link that sets each.
struct FixedField {
    const char* name;
    const char* destination;
    const char* value;
};
constexpr FixedField kFixedFields[] = {
    {"docType", "docTypeName", "Letter"},
    {"description", "documentDescription", "Benchmark batch"},
    {"authorityOwner", "authorityOwner", "bench"},
    {"authorisationList", "authorisationList", "readers"},
    {"authorityPublic", "authorityPublic", "*R"},
};
constexpr std::size_t kFieldsBeforeFile = 2;
constexpr const char* kKeys[] = {"Number", "Sender"};

std::string Number(int document) {
    const std::string digits = std::to_string(document);
    return "N" + std::string(digits.size() < 6 ? 6 - digits.size() : 0, '0') + digits;
}

std::string Sender(int document) {
    return "Sender " + std::to_string(document % 50);
}

void WriteDocument(const fs::path& path, int document, std::size_t bytes) {
    const std::string line = "Letter " + Number(document) + " from " + Sender(document) +
                             ", a line of its text to fill the page.\n";
    std::string text;
    text.reserve(bytes + line.size());
    while (text.size() < bytes) {
        text += line;
    }
    text.resize(bytes);
    std::ofstream(path, std::ios::binary) << text;
}

ordered_json Link(const std::string& destination, const char* sourceType,
                  const std::string& source) {
    return {{"destination", destination}, {"sourceType", sourceType}, {"source", source}};
}

ordered_json SetupRecord(const std::string& serverUrl) {
    ordered_json links = ordered_json::array();
    ordered_json properties = ordered_json::object();
    for (std::size_t key = 0; key < std::size(kKeys); ++key) {
        const std::string destination = "0" + std::to_string(key);
        links.push_back(Link(destination, "indexField", kKeys[key]));
        properties["docTypeKeyName[" + destination + "]"] = kKeys[key];
    }
    links.push_back(Link("docStoreServer", "text", serverUrl));
    links.push_back(Link("docStoreName", "text", "Bench"));
    for (const FixedField& field : kFixedFields) {
        links.push_back(Link(field.destination, "text", field.value));
    }
    return {{"name", "Benchmark"}, {"links", links}, {"customProperties", properties}};
}

// One curl operation posting the document's form as the connector does, without curl's own
// "Expect: 100-continue".
void WriteCurlPost(std::ostream& config, const std::string& url, const fs::path& file,
                   int document) {
    config << "url = \"" << url << "\"\nheader = \"Expect:\"\n";
    for (std::size_t i = 0; i < std::size(kFixedFields); ++i) {
        if (i == kFieldsBeforeFile) {
            config << "form = \"document=@" << file.string() << ";type=text/plain\"\n";
        }
        config << "form-string = \"" << kFixedFields[i].name << "=" << kFixedFields[i].value
               << "\"\n";
    }
    config << "form-string = \"Number=" << Number(document)
           << "\"\nform-string = \"Sender=" << Sender(document)
           << "\"\nfail\noutput = \"/dev/null\"\n";
}

}  // namespace

BenchBatch WriteBenchBatch(const fs::path& folder, int documents, std::size_t documentBytes,
                           const std::string& serverUrl) {
    fs::create_directories(folder / "documents");
    BenchBatch batch{folder / "batch.json", folder / "post.curl", 0};
    std::ofstream config(batch.curlConfig);
    const std::string url = serverUrl + "/docStore/store/Bench/document/";
    ordered_json list = ordered_json::array();
    for (int document = 1; document <= documents; ++document) {
        const fs::path file = folder / "documents" / (Number(document) + ".txt");
        WriteDocument(file, document, documentBytes);
        list.push_back(
            {{"documentId", Number(document)},
             {"indexFields", {{"Number", Number(document)}, {"Sender", Sender(document)}}},
             {"imageFiles", {file.lexically_relative(folder).string()}},
             {"containsNonImageFile", 1}});
        config << (document > 1 ? "next\n" : "");
        WriteCurlPost(config, url, file, document);
    }
    const ordered_json content = {{"setup", SetupRecord(serverUrl)}, {"documents", list}};
    std::ofstream(batch.batchFile) << content.dump(1) << "\n";
    batch.batchFileBytes = fs::file_size(batch.batchFile);
    return batch;
}

}  // namespace zarn::bench
