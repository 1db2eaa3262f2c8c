#include "tools/cli/setup_record_file.h"

#include <fstream>

#include "common/utf16_text.h"
#include "host/kfx_constants.h"
#include "tools/json/json_node.h"
#include "tools/json/utf8_path.h"

namespace zarn::tools {
namespace {

using host::sim::IndexFieldDefinition;
using host::sim::Link;
using host::sim::SetupRecord;
using nlohmann::json;

struct SourceTypeName {
    const char* name;
    std::int32_t type;
};
constexpr SourceTypeName kSourceTypeNames[] = {
    {"none", host::KFX_REL_UNDEFINED_LINK},   {"indexField", host::KFX_REL_INDEXFIELD},
    {"text", host::KFX_REL_TEXTCONSTANT},     {"captureValue", host::KFX_REL_VARIABLE},
    {"batchField", host::KFX_REL_BATCHFIELD}, {"documentId", host::KFX_REL_DOCUMENTID},
};

std::int32_t ReadSourceType(const JsonNode& node) {
    if (node.value().is_number())
        return node.Integer();
    const std::string name = node.Text();
    for (const SourceTypeName& known : kSourceTypeNames) {
        if (name == known.name)
            return known.type;
    }
    node.Fail("unknown source type \"" + name + "\"");
}

json SourceTypeValue(std::int32_t type) {
    for (const SourceTypeName& known : kSourceTypeNames) {
        if (type == known.type)
            return known.name;
    }
    return type;
}

std::vector<std::u16string> ReadTexts(const std::optional<JsonNode>& node) {
    std::vector<std::u16string> texts;
    if (node) {
        for (const JsonNode& element : node->Elements())
            texts.push_back(FromUtf8(element.Text()));
    }
    return texts;
}

IndexFieldDefinition ReadIndexField(const JsonNode& node) {
    if (node.value().is_string())
        return {FromUtf8(node.Text()), u""};
    node.ExpectObject({"name", "table"});
    return {FromUtf8(node.RequiredMember("name").Text()), FromUtf8(node.TextOr("table", ""))};
}

void ReadRecord(const JsonNode& node, SetupRecord& record) {
    node.ExpectObject({"name", "batchClassName", "docClassName", "userName", "password", "links",
                       "customProperties", "indexFields", "batchVariableNames"});
    record.name = FromUtf8(node.TextOr("name", ""));
    record.batchClassName = FromUtf8(node.TextOr("batchClassName", ""));
    record.docClassName = FromUtf8(node.TextOr("docClassName", ""));
    record.userName = FromUtf8(node.TextOr("userName", ""));
    record.password = FromUtf8(node.TextOr("password", ""));
    if (const auto links = node.Member("links")) {
        for (const JsonNode& link : links->Elements()) {
            link.ExpectObject({"source", "sourceType", "destination"});
            record.links.push_back(Link{FromUtf8(link.TextOr("source", "")),
                                        ReadSourceType(link.RequiredMember("sourceType")),
                                        FromUtf8(link.RequiredMember("destination").Text())});
        }
    }
    if (const auto properties = node.Member("customProperties")) {
        for (const auto& [name, value] : properties->Members())
            record.customProperties.emplace_back(FromUtf8(name), FromUtf8(value.Text()));
    }
    if (const auto fields = node.Member("indexFields")) {
        for (const JsonNode& field : fields->Elements())
            record.indexFields.push_back(ReadIndexField(field));
    }
    record.batchVariableNames = ReadTexts(node.Member("batchVariableNames"));
}

json RecordValue(const SetupRecord& record) {
    json links = json::array();
    for (const Link& link : record.links) {
        links.push_back({{"destination", ToUtf8(link.destination)},
                         {"sourceType", SourceTypeValue(link.sourceType)},
                         {"source", ToUtf8(link.source)}});
    }
    // A name that comes twice keeps its first value, the one that the host answers with.
    json properties = json::object();
    for (const auto& [name, value] : record.customProperties)
        properties.emplace(ToUtf8(name), ToUtf8(value));
    json fields = json::array();
    for (const IndexFieldDefinition& field : record.indexFields) {
        if (field.tableName.empty())
            fields.push_back(ToUtf8(field.name));
        else
            fields.push_back({{"name", ToUtf8(field.name)}, {"table", ToUtf8(field.tableName)}});
    }
    json variables = json::array();
    for (const std::u16string& name : record.batchVariableNames)
        variables.push_back(ToUtf8(name));
    return {{"name", ToUtf8(record.name)},
            {"batchClassName", ToUtf8(record.batchClassName)},
            {"docClassName", ToUtf8(record.docClassName)},
            {"userName", ToUtf8(record.userName)},
            {"password", ToUtf8(record.password)},
            {"links", links},
            {"customProperties", properties},
            {"indexFields", fields},
            {"batchVariableNames", variables}};
}

}  // namespace

bool LoadSetupRecordFile(const std::filesystem::path& path, SetupRecordFile& file,
                         std::string& error) {
    JsonFile json;
    if (!json.Load(path, error))
        return false;
    try {
        SetupRecordFile read;
        const JsonNode root(json);
        if (!root.value().is_object())
            root.Fail("expected an object with a \"setup\" member");
        ReadRecord(root.RequiredMember("setup"), *read.record);
        read.root = json.document().root();
        file = std::move(read);
        return true;
    } catch (const JsonFormatError& failure) {
        error = failure.what();
        return false;
    }
}

bool SaveSetupRecordFile(const std::filesystem::path& path, const SetupRecordFile& file,
                         std::string& error) {
    json root = file.root.is_object() ? file.root : json::object();
    root["setup"] = RecordValue(*file.record);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << root.dump(2, ' ', false, json::error_handler_t::replace) << '\n';
    out.close();
    if (!out) {
        error = Utf8Of(path) + ": cannot be written";
        return false;
    }
    return true;
}

}  // namespace zarn::tools
