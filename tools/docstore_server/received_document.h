#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarn::docstore {

// One part of a posted multipart/form-data body, in the order received.
struct FormPart {
    std::string name;
    std::optional<std::string> fileName;  // set for a file part
    std::string contentType;              // empty when the part has no Content-Type header
    std::string content;
};

struct ReceivedDocument {
    std::vector<FormPart> parts;

    // The first text part of that name, or nothing.
    const FormPart* FindText(std::string_view name) const;
    // The first file part of that name, or nothing.
    const FormPart* FindFile(std::string_view name) const;
};

// Why a document is refused: the HTTP status and the description that the reply carries.
struct Refusal {
    int status = 400;
    std::string description;
    // What only the server's log shows (folders, system errors); never part of a reply.
    std::string logDetail = {};
};

}  // namespace zarn::docstore
