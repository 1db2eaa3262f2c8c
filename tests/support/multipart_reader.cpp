#include "tests/support/multipart_reader.h"

namespace zarn::test {
namespace {

// The quoted value of `key="..."` in a header line.
std::optional<std::string> QuotedParameter(std::string_view line, std::string_view key) {
    std::string marker = std::string(key) + "=\"";
    std::size_t start = line.find(marker);
    if (start == std::string_view::npos)
        return std::nullopt;
    start += marker.size();
    std::size_t end = line.find('"', start);
    if (end == std::string_view::npos)
        return std::nullopt;
    return std::string(line.substr(start, end - start));
}

}  // namespace

std::optional<std::vector<FormPart>> ReadMultipart(std::string_view body,
                                                   std::string_view boundary) {
    const std::string delimiter = "--" + std::string(boundary);
    const std::string separator = "\r\n" + delimiter;
    std::vector<FormPart> parts;
    if (body.substr(0, delimiter.size()) != delimiter)
        return std::nullopt;
    std::size_t at = delimiter.size();
    for (;;) {
        if (body.substr(at, 2) == "--")
            return parts;  // closing delimiter
        if (body.substr(at, 2) != "\r\n")
            return std::nullopt;
        at += 2;
        std::size_t headersEnd = body.find("\r\n\r\n", at);
        if (headersEnd == std::string_view::npos)
            return std::nullopt;
        std::string_view headers = body.substr(at, headersEnd - at);
        FormPart part;
        std::size_t lineStart = 0;
        while (lineStart <= headers.size()) {
            std::size_t lineEnd = headers.find("\r\n", lineStart);
            if (lineEnd == std::string_view::npos)
                lineEnd = headers.size();
            std::string_view line = headers.substr(lineStart, lineEnd - lineStart);
            if (line.starts_with("Content-Disposition: form-data; ")) {
                auto name = QuotedParameter(line, "name");
                if (!name)
                    return std::nullopt;
                part.name = *name;
                part.filename = QuotedParameter(line, "filename");
            } else if (line.starts_with("Content-Type: ")) {
                part.contentType = std::string(line.substr(14));
            }
            lineStart = lineEnd + 2;
        }
        std::size_t contentStart = headersEnd + 4;
        std::size_t contentEnd = body.find(separator, contentStart);
        if (contentEnd == std::string_view::npos)
            return std::nullopt;
        part.content = std::string(body.substr(contentStart, contentEnd - contentStart));
        parts.push_back(std::move(part));
        at = contentEnd + separator.size();
    }
}

}  // namespace zarn::test
