#include "tools/json/located_json.h"

#include <iterator>
#include <vector>

namespace zarn::tools {

using nlohmann::json;

TextPosition PositionCounter::At(std::size_t offset) {
    const std::size_t end = offset < text_.size() ? offset : text_.size();
    if (end < offset_) {
        offset_ = 0;
        position_ = TextPosition{};
    }
    for (; offset_ < end; ++offset_) {
        const auto byte = static_cast<unsigned char>(text_[offset_]);
        if (byte == '\n') {
            ++position_.line;
            position_.column = 1;
        } else if ((byte & 0xC0) != 0x80) {  // UTF-8 continuation bytes belong to one character
            ++position_.column;
        }
    }
    return position_;
}

TextPosition PositionAt(std::string_view text, std::size_t offset) {
    return PositionCounter(text).At(offset);
}

namespace {

// Reads a text for the parser and tells how far the parser has read, which is how the
// handler learns where each value ends.
class TrackingIterator {
  public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    TrackingIterator(const char* current, const char** consumed)
        : current_(current), consumed_(consumed) {}
    reference operator*() const { return *current_; }
    TrackingIterator& operator++() {
        ++current_;
        *consumed_ = current_;
        return *this;
    }
    TrackingIterator operator++(int) {
        TrackingIterator before = *this;
        ++*this;
        return before;
    }
    bool operator==(const TrackingIterator& other) const { return current_ == other.current_; }

  private:
    const char* current_;
    const char** consumed_;
};

constexpr std::size_t kLongestQuote = 40;

// The parser quotes all that it has read since the last value it took: of a long stretch (a
// long line of lists, say) only the end, next to the error, is shown.
std::string ShortQuote(const std::string& message) {
    constexpr std::string_view kQuote = "last read: '";
    const auto found = message.find(kQuote);
    // The quote ends before what the parser expected, when it says so.
    const auto expected = message.find("'; expected", found);
    const auto end = expected != std::string::npos ? expected : message.rfind('\'');
    if (found == std::string::npos || end < found + kQuote.size() + kLongestQuote) {
        return message;
    }
    std::size_t cut = end - kLongestQuote;
    while (cut < end && (static_cast<unsigned char>(message[cut]) & 0xC0) == 0x80) {
        ++cut;  // not inside a character
    }
    return message.substr(0, found + kQuote.size()) + "..." + message.substr(cut);
}

// The parser's message without its own "[json.exception…] parse error at line …:" prefix.
std::string PlainParseMessage(const std::string& what) {
    const auto at = what.find("parse error");
    const auto colon = what.find(": ", at == std::string::npos ? 0 : at);
    return ShortQuote(colon == std::string::npos ? what : what.substr(colon + 2));
}

// "LINE:COLUMN: message".
std::string Located(TextPosition where, const std::string& message) {
    return std::to_string(where.line) + ":" + std::to_string(where.column) + ": " + message;
}

}  // namespace

// Builds the document from the parser's events and notes where each value starts: the first
// character after the previous token that is not white space or a separator.
class LocatingSaxHandler : public nlohmann::json_sax<json> {
  public:
    LocatingSaxHandler(LocatedJson& target, std::string_view text, const char** consumed)
        : target_(target), text_(text), positions_(text), consumed_(consumed) {}

    bool null() override { return AddValue(nullptr); }
    bool boolean(bool value) override { return AddValue(value); }
    bool number_integer(number_integer_t value) override { return AddValue(value); }
    bool number_unsigned(number_unsigned_t value) override { return AddValue(value); }
    bool number_float(number_float_t value, const string_t&) override { return AddValue(value); }
    bool string(string_t& value) override { return AddValue(value); }
    bool binary(binary_t& value) override { return AddValue(json::binary(value)); }
    bool start_object(std::size_t) override { return StartContainer(json::object()); }
    bool key(string_t& name) override {
        key_ = name;
        NoteTokenEnd();
        return true;
    }
    bool end_object() override { return EndContainer(); }
    bool start_array(std::size_t) override { return StartContainer(json::array()); }
    bool end_array() override { return EndContainer(); }
    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::detail::exception& exception) override {
        error_ = Located(positions_.At(position > 0 ? position - 1 : 0),
                         PlainParseMessage(exception.what()));
        return false;
    }

    const std::string& error() const { return error_; }

  private:
    // Places a value into the current container and returns it.
    json& Place(json&& value) {
        const TextPosition start = positions_.At(StartOfCurrentToken());
        if (stack_.empty()) {
            target_.root_ = std::move(value);
            target_.positions_[&target_.root_] = start;
            return target_.root_;
        }
        Open& parent = stack_.back();
        if (parent.value->is_array()) {
            // An element moves while its list grows: its start is noted once the list is complete.
            parent.value->push_back(std::move(value));
            parent.elementStarts.push_back(start);
            return parent.value->back();
        }
        json& placed = ((*parent.value)[key_] = std::move(value));
        target_.positions_[&placed] = start;
        return placed;
    }

    bool AddValue(json&& value) {
        Place(std::move(value));
        NoteTokenEnd();
        return true;
    }
    bool StartContainer(json&& empty) {
        if (stack_.size() == LocatedJson::kDeepestNesting) {
            error_ = Located(positions_.At(StartOfCurrentToken()),
                             "nested more than " + std::to_string(LocatedJson::kDeepestNesting) +
                                 " levels deep");
            return false;
        }
        json& container = Place(std::move(empty));
        stack_.push_back({&container, {}});
        NoteTokenEnd();
        return true;
    }
    bool EndContainer() {
        const Open& closed = stack_.back();
        for (std::size_t i = 0; i < closed.elementStarts.size(); ++i) {
            target_.positions_[&(*closed.value)[i]] = closed.elementStarts[i];
        }
        stack_.pop_back();
        NoteTokenEnd();
        return true;
    }

    // Skips white space, separators and comments.
    std::size_t StartOfCurrentToken() const {
        std::size_t offset = previousEnd_;
        while (offset < text_.size()) {
            const std::string_view rest = text_.substr(offset);
            if (std::string_view(" \t\r\n,:").find(rest.front()) != std::string_view::npos) {
                ++offset;
            } else if (rest.starts_with("//")) {
                const auto end = rest.find('\n');
                offset = end == std::string_view::npos ? text_.size() : offset + end + 1;
            } else if (rest.starts_with("/*")) {
                const auto end = rest.find("*/", 2);
                offset = end == std::string_view::npos ? text_.size() : offset + end + 2;
            } else {
                break;
            }
        }
        return offset;
    }
    // A number is only known to end when the character after it has been read; that
    // character is a separator or white space, which the next start skips anyway.
    void NoteTokenEnd() { previousEnd_ = static_cast<std::size_t>(*consumed_ - text_.data()); }

    struct Open {
        json* value;
        std::vector<TextPosition> elementStarts;  // of a list's elements, in order
    };
    LocatedJson& target_;
    std::string_view text_;
    PositionCounter positions_;
    const char** consumed_;
    std::vector<Open> stack_;
    std::string key_;
    std::size_t previousEnd_ = 0;
    std::string error_;
};

bool LocatedJson::Parse(std::string_view text, std::string& error) {
    root_ = json();
    positions_.clear();
    const char* consumed = text.data();
    LocatingSaxHandler handler(*this, text, &consumed);
    const TrackingIterator first(text.data(), &consumed);
    const TrackingIterator last(text.data() + text.size(), &consumed);
    const bool strict = true;
    const bool ignoreComments = true;
    if (!json::sax_parse(first, last, &handler, nlohmann::json::input_format_t::json, strict,
                         ignoreComments)) {
        error = handler.error();
        root_ = json();
        positions_.clear();
        return false;
    }
    return true;
}

TextPosition LocatedJson::PositionOf(const nlohmann::json::json_pointer& pointer) const {
    if (!root_.contains(pointer)) {
        return TextPosition{};
    }
    const auto found = positions_.find(&root_.at(pointer));
    return found == positions_.end() ? TextPosition{} : found->second;
}

}  // namespace zarn::tools
