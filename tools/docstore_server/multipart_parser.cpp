#include "tools/docstore_server/multipart_parser.h"

#include <algorithm>
#include <cctype>

namespace zarn::docstore {

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kContentType = "Content-Type: ";

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

// The text between `name="` and the quote that ends it, which is the last quote before `end`
// (field names go into the header unescaped, so a quote inside one must not cut it short).
std::optional<std::string> QuotedParameter(std::string_view line, std::string_view name,
                                           std::size_t end) {
    const std::string opening = std::string(name) + "=\"";
    std::size_t at = line.find(opening);
    // "name=" must not match the tail of "filename=".
    while (at != std::string_view::npos && at > 0 && line[at - 1] != ' ' && line[at - 1] != ';') {
        at = line.find(opening, at + 1);
    }
    if (at == std::string_view::npos || at >= end) {
        return std::nullopt;
    }
    const std::size_t from = at + opening.size();
    const std::size_t close = line.rfind('"', end - 1);
    if (close == std::string_view::npos || close < from) {
        return std::nullopt;
    }
    return std::string(line.substr(from, close - from));
}

// Reads the Content-Disposition header of a part into name and file name.
bool ReadDisposition(std::string_view line, FormPart& part) {
    const std::size_t fileAt = line.find("; filename=\"");
    const std::size_t nameEnd = fileAt == std::string_view::npos ? line.size() : fileAt;
    std::optional<std::string> name = QuotedParameter(line, "name", nameEnd);
    if (!name) {
        return false;
    }
    part.name = std::move(*name);
    if (fileAt != std::string_view::npos) {
        part.fileName =
            QuotedParameter(line.substr(fileAt + 2), "filename", line.size() - fileAt - 2);
    }
    return true;
}

}  // namespace

std::optional<std::string> MultipartBoundary(std::string_view contentType) {
    if (!StartsWithNoCase(contentType, "multipart/form-data")) {
        return std::nullopt;
    }
    const std::size_t at = contentType.find("boundary=");
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view boundary = contentType.substr(at + 9);
    boundary = boundary.substr(0, boundary.find(';'));
    if (boundary.size() >= 2 && boundary.front() == '"' && boundary.back() == '"') {
        boundary = boundary.substr(1, boundary.size() - 2);
    }
    if (boundary.empty()) {
        return std::nullopt;
    }
    return std::string(boundary);
}

bool ParseMultipart(std::string_view body, std::string_view boundary, std::vector<FormPart>& parts,
                    std::string& error) {
    const std::string delimiter = "--" + std::string(boundary);
    const std::string nextDelimiter = std::string(kCrLf) + delimiter;
    // Anything before the first delimiter is a preamble and is ignored.
    std::size_t at = delimiter.size();
    if (!body.starts_with(delimiter)) {
        at = body.find(nextDelimiter);
        if (at == std::string_view::npos) {
            error = "the body holds no part delimited by its boundary";
            return false;
        }
        at += nextDelimiter.size();
    }
    std::vector<FormPart> read;
    while (true) {
        if (body.substr(at).starts_with("--")) {
            parts = std::move(read);
            return true;
        }
        while (at < body.size() && (body[at] == ' ' || body[at] == '\t')) {
            ++at;
        }
        if (!body.substr(at).starts_with(kCrLf)) {
            error = "a boundary line is not followed by CR LF";
            return false;
        }
        at += kCrLf.size();
        FormPart part;
        bool named = false;
        while (true) {
            const std::size_t lineEnd = body.find(kCrLf, at);
            if (lineEnd == std::string_view::npos) {
                error = "the headers of part " + std::to_string(read.size() + 1) + " do not end";
                return false;
            }
            const std::string_view line = body.substr(at, lineEnd - at);
            at = lineEnd + kCrLf.size();
            if (line.empty()) {
                break;
            }
            if (StartsWithNoCase(line, "Content-Disposition:")) {
                named = ReadDisposition(line, part);
            } else if (StartsWithNoCase(line, kContentType)) {
                part.contentType = std::string(line.substr(kContentType.size()));
            }
        }
        if (!named) {
            error = "part " + std::to_string(read.size() + 1) + " has no name";
            return false;
        }
        const std::size_t contentEnd = body.find(nextDelimiter, at);
        if (contentEnd == std::string_view::npos) {
            error = "the body ends inside part \"" + part.name + "\"";
            return false;
        }
        part.content = std::string(body.substr(at, contentEnd - at));
        read.push_back(std::move(part));
        at = contentEnd + nextDelimiter.size();
    }
}

}  // namespace zarn::docstore
