#include "transport/win32/entity_expansion_scan.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

namespace zarn {
namespace {

constexpr std::uint64_t kUnbounded = UINT64_MAX / 4;
constexpr int kMaxNesting = 64;

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

bool EndsName(char16_t c) {
    return IsBlank(c) || std::u16string_view(u"&;<>\"'%[]").find(c) != std::u16string_view::npos;
}

class Scanner {
  public:
    Scanner(std::u16string_view text, std::uint64_t limit) : text_(text), limit_(limit) {}

    bool Within() {
        std::size_t doctype = DoctypeInProlog();
        if (doctype == npos)
            return true;  // no entity can be declared
        std::size_t subsetEnd = doctype;
        if (!ReadDoctype(doctype + 9, subsetEnd))
            return false;
        std::uint64_t total = text_.size();
        for (std::size_t at = text_.find(u'&', subsetEnd); at != npos && total <= limit_;
             at = text_.find(u'&', at + 1)) {
            total += ReferenceSize(text_, at, 0);
        }
        return total <= limit_;
    }

  private:
    static constexpr std::size_t npos = std::u16string_view::npos;

    // Where "<!DOCTYPE" stands after the declaration, comments and processing instructions
    // that may come first, or npos.
    std::size_t DoctypeInProlog() const {
        std::size_t at = text_.starts_with(u"\uFEFF") ? 1 : 0;
        for (;;) {
            while (at < text_.size() && IsBlank(text_[at]))
                ++at;
            std::u16string_view rest = text_.substr(std::min(at, text_.size()));
            if (rest.starts_with(u"<!DOCTYPE"))
                return at;
            if (rest.starts_with(u"<?")) {
                at = Skip(at, u"?>");
            } else if (rest.starts_with(u"<!--")) {
                at = Skip(at, u"-->");
            } else {
                return npos;
            }
            if (at == npos)
                return npos;
        }
    }

    // Reads the document type declaration from `at` up to the end of its internal subset, if it
    // has one; false where the subset cannot be followed.
    bool ReadDoctype(std::size_t at, std::size_t& end) {
        for (; at < text_.size(); ++at) {
            char16_t c = text_[at];
            if (c == u'>') {
                end = at;
                return true;
            }
            if (c == u'"' || c == u'\'') {
                if ((at = text_.find(c, at + 1)) == npos)
                    return false;
            } else if (c == u'[') {
                return ReadSubset(at + 1, end);
            }
        }
        return false;
    }

    bool ReadSubset(std::size_t at, std::size_t& end) {
        for (;;) {
            while (at < text_.size() && IsBlank(text_[at]))
                ++at;
            std::u16string_view rest = text_.substr(std::min(at, text_.size()));
            if (rest.empty() || rest[0] == u'%')
                return false;
            if (rest[0] == u']') {
                end = at;
                return true;
            }
            std::size_t next = npos;
            if (rest.starts_with(u"<!--")) {
                next = Skip(at, u"-->");
            } else if (rest.starts_with(u"<?")) {
                next = Skip(at, u"?>");
            } else if (rest.starts_with(u"<!ENTITY")) {
                next = ReadEntity(at + 8);
            } else if (rest.starts_with(u"<!")) {
                next = EndOfDeclaration(at + 2);
            }
            if (next == npos)
                return false;
            at = next;
        }
    }

    std::size_t Skip(std::size_t at, std::u16string_view closing) const {
        std::size_t found = text_.find(closing, at + 2);
        return found == npos ? npos : found + closing.size();
    }

    // Past the ">" of a declaration, skipping quoted literals.
    std::size_t EndOfDeclaration(std::size_t at) const {
        for (; at < text_.size(); ++at) {
            char16_t c = text_[at];
            if (c == u'>')
                return at + 1;
            if ((c == u'"' || c == u'\'') && (at = text_.find(c, at + 1)) == npos)
                return npos;
        }
        return npos;
    }

    // An entity declaration: a general entity with a literal value is kept (the first of a
    // name counts); parameter and external entities are no text.
    std::size_t ReadEntity(std::size_t at) {
        while (at < text_.size() && IsBlank(text_[at]))
            ++at;
        bool parameter = at < text_.size() && text_[at] == u'%';
        if (parameter) {
            ++at;
            while (at < text_.size() && IsBlank(text_[at]))
                ++at;
        }
        std::size_t nameEnd = at;
        while (nameEnd < text_.size() && !EndsName(text_[nameEnd]))
            ++nameEnd;
        std::u16string_view name = text_.substr(at, nameEnd - at);
        at = nameEnd;
        while (at < text_.size() && IsBlank(text_[at]))
            ++at;
        if (at < text_.size() && (text_[at] == u'"' || text_[at] == u'\'')) {
            std::size_t close = text_.find(text_[at], at + 1);
            if (close == npos)
                return npos;
            if (!parameter && !name.empty())
                values_.try_emplace(name, text_.substr(at + 1, close - at - 1));
            at = close + 1;
        }
        return EndOfDeclaration(at);
    }

    // The size of the reference at `at` ("&name;"), its entity expanded.
    std::uint64_t ReferenceSize(std::u16string_view text, std::size_t at, int depth) {
        std::size_t semicolon = at + 1;
        while (semicolon < text.size() && !EndsName(text[semicolon]))
            ++semicolon;
        if (semicolon >= text.size() || text[semicolon] != u';' || semicolon == at + 1 ||
            text[at + 1] == u'#') {
            return 0;
        }
        return EntitySize(text.substr(at + 1, semicolon - at - 1), depth);
    }

    std::uint64_t EntitySize(std::u16string_view name, int depth) {
        auto value = values_.find(name);
        if (value == values_.end())
            return 0;
        auto [known, added] = sizes_.try_emplace(name, kUnbounded);
        if (!added)
            return known->second;
        std::optional<std::uint64_t> size =
            depth < kMaxNesting ? ValueSize(value->second, depth + 1) : std::nullopt;
        sizes_[name] = size.value_or(kUnbounded);
        return size.value_or(kUnbounded);
    }

    // What an entity's value expands to; nothing where a character reference in it makes an
    // ampersand, which would start a reference the scan cannot see.
    std::optional<std::uint64_t> ValueSize(std::u16string_view value, int depth) {
        std::uint64_t size = value.size();
        for (std::size_t at = value.find(u'&'); at != npos && size <= limit_;
             at = value.find(u'&', at + 1)) {
            if (value.substr(at).starts_with(u"&#") && MakesAmpersand(value, at + 2))
                return std::nullopt;
            size += ReferenceSize(value, at, depth);
        }
        return size;
    }

    static bool MakesAmpersand(std::u16string_view value, std::size_t at) {
        bool hex = at < value.size() && (value[at] == u'x' || value[at] == u'X');
        std::uint32_t code = 0;
        for (at += hex ? 1 : 0; at < value.size() && value[at] != u';' && code <= 0x10FFFF; ++at) {
            char16_t c = value[at];
            std::uint32_t digit = c >= u'0' && c <= u'9'          ? c - u'0'
                                  : hex && c >= u'a' && c <= u'f' ? c - u'a' + 10
                                  : hex && c >= u'A' && c <= u'F' ? c - u'A' + 10
                                                                  : 100;
            if (digit >= (hex ? 16u : 10u))
                return false;
            code = code * (hex ? 16 : 10) + digit;
        }
        return code == u'&' || code == u'%';
    }

    std::u16string_view text_;
    std::uint64_t limit_;
    std::unordered_map<std::u16string_view, std::u16string_view> values_;
    std::unordered_map<std::u16string_view, std::uint64_t> sizes_;
};

}  // namespace

bool EntityExpansionWithin(std::u16string_view document, std::uint64_t limit) {
    return Scanner(document, limit).Within();
}

bool EntityExpansionWithin(std::string_view bytes, std::uint64_t limit) {
    std::u16string units;
    bool little = bytes.starts_with("\xFF\xFE");
    if (little || bytes.starts_with("\xFE\xFF")) {
        units.reserve(bytes.size() / 2);
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            auto first = static_cast<unsigned char>(bytes[i]);
            auto second = static_cast<unsigned char>(bytes[i + 1]);
            units.push_back(
                static_cast<char16_t>(little ? first | second << 8 : first << 8 | second));
        }
    } else if (bytes.find("<!DOCTYPE") == std::string_view::npos) {
        return true;
    } else {
        units.resize(bytes.size());
        std::transform(bytes.begin(), bytes.end(), units.begin(), [](char byte) {
            return static_cast<char16_t>(static_cast<unsigned char>(byte));
        });
    }
    return EntityExpansionWithin(std::u16string_view(units), limit);
}

}  // namespace zarn
