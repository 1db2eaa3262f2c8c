#include "tools/json/json_node.h"

#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>

#include "tools/json/utf8_path.h"

namespace zarn::tools {

using nlohmann::json;

namespace {

constexpr std::uintmax_t kLargestFile = 64u << 20;

bool IsPlainName(std::string_view name) {
    if (name.empty()) {
        return false;
    }
    for (const char c : name) {
        const bool plain =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        if (!plain) {
            return false;
        }
    }
    return true;
}

// documents[1].imageFiles[0] for the pointer /documents/1/imageFiles/0.
std::string ReadablePath(const json& root, const json::json_pointer& pointer) {
    std::string path;
    const json* current = &root;
    json::json_pointer walked;
    std::vector<std::string> tokens;
    for (json::json_pointer rest = pointer; !rest.empty(); rest = rest.parent_pointer()) {
        tokens.insert(tokens.begin(), rest.back());
    }
    for (const std::string& token : tokens) {
        if (current != nullptr && current->is_array()) {
            path.append("[").append(token).append("]");
        } else if (IsPlainName(token)) {
            path.append(path.empty() ? "" : ".").append(token);
        } else {
            path.append("[").append(json(token).dump()).append("]");
        }
        walked /= token;
        current = root.contains(walked) ? &root.at(walked) : nullptr;
    }
    return path;
}

std::string KindOf(const json& value) {
    switch (value.type()) {
        case json::value_t::null:
            return "null";
        case json::value_t::object:
            return "an object";
        case json::value_t::array:
            return "a list";
        case json::value_t::string:
            return "a text";
        case json::value_t::boolean:
            return "true or false";
        default:
            return "a number";
    }
}

}  // namespace

bool JsonFile::Load(const std::filesystem::path& path, std::string& error) {
    std::error_code code;
    if (!std::filesystem::exists(path, code)) {
        error = Utf8Of(path) + ": no such file";
        return false;
    }
    if (std::filesystem::is_directory(path, code)) {
        error = Utf8Of(path) + ": is a folder, not a file";
        return false;
    }
    // A device or a pipe would be read without end, and no file written by hand is this large.
    if (!std::filesystem::is_regular_file(path, code)) {
        error = Utf8Of(path) + ": is not a regular file";
        return false;
    }
    if (std::filesystem::file_size(path, code) > kLargestFile) {
        error = Utf8Of(path) + ": is larger than " + std::to_string(kLargestFile >> 20) + " MiB";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = Utf8Of(path) + ": cannot be read";
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        error = Utf8Of(path) + ": cannot be read";
        return false;
    }
    return LoadText(path, text.str(), error);
}

bool JsonFile::LoadText(const std::filesystem::path& name, std::string_view text,
                        std::string& error) {
    path_ = name;
    std::string parseError;
    if (!document_.Parse(text, parseError)) {
        error = Utf8Of(path_) + ":" + parseError;
        return false;
    }
    return true;
}

std::string JsonFile::ErrorAt(const json::json_pointer& pointer, std::string_view message) const {
    const TextPosition where = document_.PositionOf(pointer);
    std::string text = Utf8Of(path_) + ":" + std::to_string(where.line) + ":" +
                       std::to_string(where.column) + ": ";
    const std::string path = ReadablePath(document_.root(), pointer);
    if (!path.empty()) {
        text += path + ": ";
    }
    return text + std::string(message);
}

JsonNode::JsonNode(const JsonFile& file) : JsonNode(file, json::json_pointer()) {}

JsonNode::JsonNode(const JsonFile& file, json::json_pointer pointer)
    : file_(&file), pointer_(std::move(pointer)), value_(&file.document().root().at(pointer_)) {}

void JsonNode::Fail(std::string_view message) const {
    throw JsonFormatError(file_->ErrorAt(pointer_, message));
}

void JsonNode::ExpectObject(std::initializer_list<std::string_view> known) const {
    if (!value_->is_object()) {
        Fail("expected an object, found " + KindOf(*value_));
    }
    for (const auto& [name, member] : value_->items()) {
        bool isKnown = false;
        for (const std::string_view candidate : known) {
            isKnown = isKnown || candidate == name;
        }
        if (!isKnown) {
            std::string expected;
            for (const std::string_view candidate : known) {
                expected += (expected.empty() ? "" : ", ") + std::string(candidate);
            }
            JsonNode(*file_, pointer_ / name).Fail("unknown setting; expected one of: " + expected);
        }
    }
}

std::optional<JsonNode> JsonNode::Member(std::string_view name) const {
    if (!value_->is_object() || !value_->contains(name)) {
        return std::nullopt;
    }
    return JsonNode(*file_, pointer_ / std::string(name));
}

JsonNode JsonNode::RequiredMember(std::string_view name) const {
    std::optional<JsonNode> member = Member(name);
    if (!member) {
        Fail("\"" + std::string(name) + "\" is missing");
    }
    return *member;
}

std::vector<JsonNode> JsonNode::Elements() const {
    if (!value_->is_array()) {
        Fail("expected a list, found " + KindOf(*value_));
    }
    std::vector<JsonNode> elements;
    for (std::size_t i = 0; i < value_->size(); ++i) {
        elements.emplace_back(*file_, pointer_ / i);
    }
    return elements;
}

std::vector<std::pair<std::string, JsonNode>> JsonNode::Members() const {
    if (!value_->is_object()) {
        Fail("expected an object, found " + KindOf(*value_));
    }
    std::vector<std::pair<std::string, JsonNode>> members;
    for (const auto& [name, member] : value_->items()) {
        members.emplace_back(name, JsonNode(*file_, pointer_ / name));
    }
    return members;
}

std::string JsonNode::Text() const {
    if (!value_->is_string()) {
        Fail("expected a text, found " + KindOf(*value_));
    }
    return value_->get<std::string>();
}

std::string JsonNode::NonEmptyText() const {
    std::string text = Text();
    if (text.empty()) {
        Fail("must not be empty");
    }
    return text;
}

std::int32_t JsonNode::Integer() const {
    // An unsigned number also counts as an integer, and above the signed range it would wrap.
    const bool fits =
        value_->is_number_unsigned()
            ? value_->get<std::uint64_t>() <=
                  static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())
            : value_->is_number_integer() &&
                  value_->get<std::int64_t>() >= std::numeric_limits<std::int32_t>::min() &&
                  value_->get<std::int64_t>() <= std::numeric_limits<std::int32_t>::max();
    if (!fits) {
        Fail("expected a whole number between -2147483648 and 2147483647, found " +
             (value_->is_number() ? value_->dump() : KindOf(*value_)));
    }
    return static_cast<std::int32_t>(value_->get<std::int64_t>());
}

bool JsonNode::Flag() const {
    if (!value_->is_boolean()) {
        Fail("expected true or false, found " + KindOf(*value_));
    }
    return value_->get<bool>();
}

std::string JsonNode::TextOr(std::string_view name, std::string_view fallback) const {
    const std::optional<JsonNode> member = Member(name);
    return member ? member->Text() : std::string(fallback);
}

std::int32_t JsonNode::IntegerOr(std::string_view name, std::int32_t fallback) const {
    const std::optional<JsonNode> member = Member(name);
    return member ? member->Integer() : fallback;
}

bool JsonNode::FlagOr(std::string_view name, bool fallback) const {
    const std::optional<JsonNode> member = Member(name);
    return member ? member->Flag() : fallback;
}

}  // namespace zarn::tools
