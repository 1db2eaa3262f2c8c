#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarn::test {

// The parts of a multipart/form-data body in wire order, read strictly: every delimiter line,
// header line and part ending must be where the format puts it. Nothing when the body is not
// well formed.
struct FormPart {
    std::string name;
    std::optional<std::string> filename;
    std::string contentType;
    std::string content;
};

std::optional<std::vector<FormPart>> ReadMultipart(std::string_view body,
                                                   std::string_view boundary);

}  // namespace zarn::test
