#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

#include <nlohmann/json.hpp>

namespace zarn::tools {

// A place in a text file, both counted from 1; the column counts characters, not bytes.
struct TextPosition {
    std::size_t line = 1;
    std::size_t column = 1;
};

TextPosition PositionAt(std::string_view text, std::size_t offset);

// Positions of ever later offsets of one text, each found by reading on from the one before.
class PositionCounter {
  public:
    explicit PositionCounter(std::string_view text) : text_(text) {}
    // An offset before the last one asked for starts over from the beginning.
    TextPosition At(std::size_t offset);

  private:
    std::string_view text_;
    std::size_t offset_ = 0;
    TextPosition position_;
};

// A JSON document that remembers where each of its values starts, so that a value that is
// well-formed but wrong can be reported with its line and column, as a syntax error is.
// Comments (// and /* */) are allowed, so that files written by hand can explain themselves.
class LocatedJson {
  public:
    // Lists and objects nested deeper than this are refused: no file written by hand nests so
    // deep, and the parse stops there rather than build a document that deep.
    static constexpr std::size_t kDeepestNesting = 200;

    // False on a syntax error or too deep a nesting, with `error` = "LINE:COLUMN: what is
    // wrong".
    bool Parse(std::string_view text, std::string& error);

    const nlohmann::json& root() const { return root_; }

    // Where the value at `pointer` starts (line 1, column 1 when unknown).
    TextPosition PositionOf(const nlohmann::json::json_pointer& pointer) const;

  private:
    friend class LocatingSaxHandler;
    nlohmann::json root_;
    // By the address of each value of `root_`, which stays put once the document is complete.
    std::unordered_map<const nlohmann::json*, TextPosition> positions_;
};

}  // namespace zarn::tools
