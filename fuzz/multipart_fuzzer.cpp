// Any bytes as a posted request: the first line is the content type, the rest the body, read
// by the reference server's multipart reader.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/docstore_server/multipart_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::size_t lineEnd = input.find('\n');
    std::string_view contentType = input.substr(0, lineEnd);
    std::string_view body = lineEnd == std::string_view::npos ? "" : input.substr(lineEnd + 1);
    std::optional<std::string> boundary = zarn::docstore::MultipartBoundary(contentType);
    if (!boundary)
        return 0;
    std::vector<zarn::docstore::FormPart> parts;
    std::string error;
    // Every part lies inside the body.
    if (zarn::docstore::ParseMultipart(body, *boundary, parts, error)) {
        std::size_t total = 0;
        for (const zarn::docstore::FormPart& part : parts)
            total += part.content.size();
        if (total > body.size())
            __builtin_trap();
    } else if (error.empty()) {
        __builtin_trap();
    }
    return 0;
}
