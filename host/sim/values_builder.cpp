#include "host/sim/values_builder.h"

#include <algorithm>

#include "host/kfx_constants.h"

namespace zarn::host::sim {

namespace {

std::u16string TextOrEmpty(const NamedTexts& texts, std::u16string_view name) {
    const std::u16string* text = FindText(texts, name);
    return text ? *text : std::u16string();
}

std::u16string Join(const std::vector<std::u16string>& rows, const std::u16string& separator) {
    std::u16string joined;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        joined += (i == 0 ? u"" : separator) + rows[i];
    }
    return joined;
}

void ResolveIndexField(const SetupRecord& record, const Document& document,
                       const std::u16string& rowSeparator, ValueData& data) {
    auto definition = std::find_if(
        record.indexFields.begin(), record.indexFields.end(),
        [&data](const IndexFieldDefinition& field) { return field.name == data.sourceName; });
    if (definition == record.indexFields.end() || definition->tableName.empty()) {
        data.value = TextOrEmpty(document.indexFields, data.sourceName);
        return;
    }
    data.tableName = definition->tableName;
    auto column = std::find_if(
        document.tableColumns.begin(), document.tableColumns.end(),
        [&data](const TableColumn& candidate) { return candidate.name == data.sourceName; });
    if (column != document.tableColumns.end()) {
        data.rows = column->rows;
        data.value = Join(data.rows, rowSeparator);
    }
}

std::u16string CaptureValue(const Batch& batch, const Document& document,
                            const std::u16string& name) {
    if (name == u"First Page Original File Name") {
        return document.originalFileName;
    }
    return TextOrEmpty(batch.captureValues, name);
}

std::u16string BatchField(const Batch& batch, const Document& document,
                          const std::u16string& name) {
    if (name == u"OriginalFolder") {
        return document.originalFolder;
    }
    if (name == u"OriginalFileNameExt") {
        return document.originalFileNameExt;
    }
    return TextOrEmpty(batch.batchFields, name);
}

}  // namespace

std::vector<ValueData> BuildValues(const SetupRecord& record, const Batch& batch,
                                   const Document& document, const std::u16string& rowSeparator) {
    std::vector<ValueData> values;
    values.reserve(record.links.size());
    for (const Link& link : record.links) {
        ValueData& data = values.emplace_back();
        data.destination = link.destination;
        data.sourceType = link.sourceType;
        data.sourceName = link.source;
        switch (link.sourceType) {
            case KFX_REL_TEXTCONSTANT:
                data.value = link.source;
                break;
            case KFX_REL_INDEXFIELD:
                ResolveIndexField(record, document, rowSeparator, data);
                break;
            case KFX_REL_VARIABLE:
                data.value = CaptureValue(batch, document, link.source);
                break;
            case KFX_REL_BATCHFIELD:
                data.value = BatchField(batch, document, link.source);
                break;
            case KFX_REL_DOCUMENTID:
                data.value = document.documentId;
                break;
            default:
                break;
        }
    }
    return values;
}

}  // namespace zarn::host::sim
