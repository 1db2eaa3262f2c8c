#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarn::test {

struct ParsedPart {
    std::string name;
    std::string filename;
    std::string contentType;
    std::string content;
};

// The parts of a multipart/form-data body as cpp-httplib's own server parses them (in name
// order), or nothing when it refuses the body. RFC 2046 lets a body end right after the closing
// "--"; cpp-httplib 0.11 insists on a CR LF there, so one is added (an empty epilogue).
std::optional<std::vector<ParsedPart>> ParseWithHttplib(std::string_view body,
                                                        std::string_view contentType);

}  // namespace zarn::test
