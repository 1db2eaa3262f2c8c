#include "tools/docstore_server/document_check.h"

namespace zarn::docstore {

namespace {

bool HasValue(const ReceivedDocument& document, const std::string& keyName) {
    for (const FormPart& part : document.parts) {
        if (!part.fileName && part.name == keyName && !part.content.empty()) {
            return true;
        }
    }
    return false;
}

}  // namespace

const FormPart* ReceivedDocument::FindText(std::string_view name) const {
    for (const FormPart& part : parts) {
        if (!part.fileName && part.name == name) {
            return &part;
        }
    }
    return nullptr;
}

const FormPart* ReceivedDocument::FindFile(std::string_view name) const {
    for (const FormPart& part : parts) {
        if (part.fileName && part.name == name) {
            return &part;
        }
    }
    return nullptr;
}

std::optional<Refusal> CheckDocument(const FixtureStore& store, const ReceivedDocument& document) {
    const FormPart* docType = document.FindText(kDocTypeField);
    if (docType == nullptr || docType->content.empty()) {
        return Refusal{400, "No document type was given (field \"docType\")"};
    }
    const FixtureDocType* type = store.FindDocType(docType->content);
    if (type == nullptr) {
        return Refusal{400, "Unknown document type \"" + docType->content + "\" in store \"" +
                                store.name + "\""};
    }
    if (document.FindFile(kDocumentFilePart) == nullptr) {
        return Refusal{400, "No document file was sent (file part \"document\")"};
    }
    for (const FixtureTypeKey& key : type->keys) {
        if (key.required && !HasValue(document, key.key)) {
            return Refusal{400, "Required key \"" + key.key + "\" of document type \"" +
                                    type->name + "\" is missing"};
        }
    }
    return std::nullopt;
}

}  // namespace zarn::docstore
