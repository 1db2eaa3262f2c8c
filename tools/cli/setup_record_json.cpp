#include "tools/cli/setup_record_json.h"

#include <string>
#include <string_view>
#include <vector>

#include "common/utf16_text.h"
#include "host/kfx_constants.h"

namespace zarn::tools {
namespace {

using host::sim::IndexFieldDefinition;
using host::sim::Link;
using host::sim::SetupRecord;
using nlohmann::json;

struct SourceTypeName {
    std::string_view name;
    std::int32_t type;
};
constexpr SourceTypeName kSourceTypeNames[] = {
    {"none", host::KFX_REL_UNDEFINED_LINK},   {"indexField", host::KFX_REL_INDEXFIELD},
    {"text", host::KFX_REL_TEXTCONSTANT},     {"captureValue", host::KFX_REL_VARIABLE},
    {"batchField", host::KFX_REL_BATCHFIELD}, {"documentId", host::KFX_REL_DOCUMENTID},
};

bool HostKnows(std::int32_t type) {
    return type >= host::KFX_REL_UNDEFINED_LINK && type <= host::KFX_REL_DOCUMENTID;
}

std::int32_t ReadSourceType(const JsonNode& node, SetupRecordUse use) {
    std::string names;
    for (const SourceTypeName& known : kSourceTypeNames) {
        names += (names.empty() ? "" : ", ") + std::string(known.name);
    }
    const std::string numbers = use == SetupRecordUse::release
                                    ? "a number from " +
                                          std::to_string(host::KFX_REL_UNDEFINED_LINK) + " to " +
                                          std::to_string(host::KFX_REL_DOCUMENTID)
                                    : "a number";
    const std::string expected = "; expected " + numbers + " or one of: " + names;
    if (node.value().is_number()) {
        const std::int32_t type = node.Integer();
        if (use == SetupRecordUse::release && !HostKnows(type)) {
            node.Fail("unknown source type " + std::to_string(type) + expected);
        }
        return type;
    }
    const std::string name = node.Text();
    for (const SourceTypeName& known : kSourceTypeNames) {
        if (known.name == name) {
            return known.type;
        }
    }
    node.Fail("unknown source type \"" + name + "\"" + expected);
}

json SourceTypeValue(std::int32_t type) {
    for (const SourceTypeName& known : kSourceTypeNames) {
        if (known.type == type) {
            return std::string(known.name);
        }
    }
    return type;
}

IndexFieldDefinition ReadIndexField(const JsonNode& node) {
    if (node.value().is_string()) {
        return {FromUtf8(node.Text()), u""};
    }
    node.ExpectObject({"name", "table"});
    return {FromUtf8(node.RequiredMember("name").Text()), FromUtf8(node.TextOr("table", ""))};
}

void ReadMenuLists(const JsonNode& node, SetupRecord& record) {
    if (const auto fields = node.Member("indexFields")) {
        for (const JsonNode& field : fields->Elements()) {
            record.indexFields.push_back(ReadIndexField(field));
        }
    }
    if (const auto names = node.Member("batchVariableNames")) {
        for (const JsonNode& name : names->Elements()) {
            record.batchVariableNames.push_back(FromUtf8(name.Text()));
        }
    }
}

}  // namespace

void ReadSetupRecord(const JsonNode& node, SetupRecordUse use, SetupRecord& record) {
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
                                        ReadSourceType(link.RequiredMember("sourceType"), use),
                                        FromUtf8(link.RequiredMember("destination").Text())});
        }
    }
    record.customProperties = ReadNamedTexts(node.Member("customProperties"));
    if (use == SetupRecordUse::setup) {
        ReadMenuLists(node, record);
    }
}

json SetupRecordJson(const SetupRecord& record) {
    json links = json::array();
    for (const Link& link : record.links) {
        links.push_back({{"destination", ToUtf8(link.destination)},
                         {"sourceType", SourceTypeValue(link.sourceType)},
                         {"source", ToUtf8(link.source)}});
    }
    // A name that comes twice keeps its first value, the one that the host answers with.
    json properties = json::object();
    for (const auto& [name, value] : record.customProperties) {
        properties.emplace(ToUtf8(name), ToUtf8(value));
    }
    json fields = json::array();
    for (const IndexFieldDefinition& field : record.indexFields) {
        if (field.tableName.empty()) {
            fields.push_back(ToUtf8(field.name));
        } else {
            fields.push_back({{"name", ToUtf8(field.name)}, {"table", ToUtf8(field.tableName)}});
        }
    }
    json variables = json::array();
    for (const std::u16string& name : record.batchVariableNames) {
        variables.push_back(ToUtf8(name));
    }
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

host::sim::NamedTexts ReadNamedTexts(const std::optional<JsonNode>& node) {
    host::sim::NamedTexts texts;
    if (node) {
        for (const auto& [name, value] : node->Members()) {
            texts.emplace_back(FromUtf8(name), FromUtf8(value.Text()));
        }
    }
    return texts;
}

}  // namespace zarn::tools
