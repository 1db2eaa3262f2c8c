#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tools/json/located_json.h"

namespace zarn::tools {

// A JSON file written by hand, read with errors that name the file, line and column.
class JsonFile {
  public:
    // Reads and parses the file; false with an error text when it cannot be read or parsed,
    // is not a regular file or is larger than 64 MiB.
    bool Load(const std::filesystem::path& path, std::string& error);
    bool LoadText(const std::filesystem::path& name, std::string_view text, std::string& error);

    const std::filesystem::path& path() const { return path_; }
    const LocatedJson& document() const { return document_; }

    // "FILE:LINE:COLUMN: at PATH: message" for the value at `pointer`.
    std::string ErrorAt(const nlohmann::json::json_pointer& pointer,
                        std::string_view message) const;

  private:
    std::filesystem::path path_;
    LocatedJson document_;
};

// Thrown while a file's content is read against its format; the readers catch it and turn it
// into an error result.
class JsonFormatError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// One value of a JsonFile, read as the format expects it; a value of another kind throws a
// JsonFormatError that says where it is and what was expected.
class JsonNode {
  public:
    // The root of the file.
    explicit JsonNode(const JsonFile& file);
    JsonNode(const JsonFile& file, nlohmann::json::json_pointer pointer);

    const nlohmann::json& value() const { return *value_; }
    const nlohmann::json::json_pointer& pointer() const { return pointer_; }

    // Requires an object whose members are all among `known` (a misspelt name is an error,
    // not a silently ignored setting).
    void ExpectObject(std::initializer_list<std::string_view> known) const;
    std::optional<JsonNode> Member(std::string_view name) const;
    JsonNode RequiredMember(std::string_view name) const;
    std::vector<JsonNode> Elements() const;
    // The members of an object, in the file's order, with their names.
    std::vector<std::pair<std::string, JsonNode>> Members() const;

    std::string Text() const;
    std::string NonEmptyText() const;
    std::int32_t Integer() const;
    bool Flag() const;

    // Optional members with a default.
    std::string TextOr(std::string_view name, std::string_view fallback) const;
    std::int32_t IntegerOr(std::string_view name, std::int32_t fallback) const;
    bool FlagOr(std::string_view name, bool fallback) const;

    [[noreturn]] void Fail(std::string_view message) const;

  private:
    const JsonFile* file_;
    nlohmann::json::json_pointer pointer_;
    const nlohmann::json* value_;
};

}  // namespace zarn::tools
