#include "module/registry_script.h"

#include <cctype>
#include <optional>
#include <vector>

namespace zarn::win32 {
namespace {

struct Key {
    std::wstring name;
    bool noRemove = false;
    bool forceRemove = false;
    std::optional<std::wstring> defaultValue;
    std::vector<std::pair<std::wstring, std::wstring>> values;
    std::vector<Key> subkeys;
};

// Words, quoted texts and the marks { } = of a script; quoted texts may hold '' for a quote.
class Tokens {
  public:
    Tokens(std::string_view script, const std::map<std::wstring, std::wstring>& replacements)
        : script_(script), replacements_(replacements) {}

    bool AtEnd() {
        SkipSpace();
        return position_ >= script_.size();
    }
    bool Take(char mark) {
        SkipSpace();
        if (position_ < script_.size() && script_[position_] == mark) {
            ++position_;
            return true;
        }
        return false;
    }
    // A word or a quoted text, with its replacements made; nothing at a mark or the end.
    std::optional<std::wstring> Word() {
        SkipSpace();
        if (position_ >= script_.size() || IsMark(script_[position_]))
            return std::nullopt;
        std::string raw;
        if (script_[position_] == '\'') {
            for (++position_; position_ < script_.size(); ++position_) {
                if (script_[position_] == '\'') {
                    if (position_ + 1 < script_.size() && script_[position_ + 1] == '\'') {
                        raw += '\'';
                        ++position_;
                        continue;
                    }
                    ++position_;
                    return Replaced(raw);
                }
                raw += script_[position_];
            }
            return std::nullopt;  // an unterminated text
        }
        while (position_ < script_.size() && !IsMark(script_[position_]) &&
               !std::isspace(static_cast<unsigned char>(script_[position_]))) {
            raw += script_[position_++];
        }
        return Replaced(raw);
    }

  private:
    static bool IsMark(char c) { return c == '{' || c == '}' || c == '='; }

    void SkipSpace() {
        while (position_ < script_.size() &&
               std::isspace(static_cast<unsigned char>(script_[position_]))) {
            ++position_;
        }
    }

    std::wstring Replaced(const std::string& raw) const {
        // The scripts are ASCII; the replacements bring the module's path and identifiers.
        std::wstring text(raw.begin(), raw.end());
        for (const auto& [name, value] : replacements_) {
            const std::wstring marker = L"%" + name + L"%";
            for (std::size_t at = text.find(marker); at != std::wstring::npos;
                 at = text.find(marker, at + value.size())) {
                text.replace(at, marker.size(), value);
            }
        }
        return text;
    }

    std::string_view script_;
    const std::map<std::wstring, std::wstring>& replacements_;
    std::size_t position_ = 0;
};

// `s 'text'`, after the name it belongs to and its `=`.
std::optional<std::wstring> StringValue(Tokens& tokens) {
    std::optional<std::wstring> type = tokens.Word();
    if (type != L"s")
        return std::nullopt;
    return tokens.Word();
}

bool ParseBody(Tokens& tokens, Key& owner, bool nested);

// A key: its flags, its name, its default value and its body.
bool ParseKey(Tokens& tokens, std::wstring word, Key& owner) {
    Key key;
    for (;;) {
        if (word == L"NoRemove") {
            key.noRemove = true;
        } else if (word == L"ForceRemove") {
            key.forceRemove = true;
        } else {
            break;
        }
        std::optional<std::wstring> next = tokens.Word();
        if (!next)
            return false;
        word = std::move(*next);
    }
    key.name = std::move(word);
    if (tokens.Take('=') && !(key.defaultValue = StringValue(tokens)))
        return false;
    if (tokens.Take('{') && !ParseBody(tokens, key, true))
        return false;
    owner.subkeys.push_back(std::move(key));
    return true;
}

// The named values and subkeys of `owner`, up to its closing brace (or the script's end).
bool ParseBody(Tokens& tokens, Key& owner, bool nested) {
    for (;;) {
        if (nested ? tokens.Take('}') : tokens.AtEnd())
            return true;
        std::optional<std::wstring> word = tokens.Word();
        if (!word)
            return false;
        if (*word != L"val") {
            if (!ParseKey(tokens, std::move(*word), owner))
                return false;
            continue;
        }
        std::optional<std::wstring> name = tokens.Word();
        if (!name || !tokens.Take('='))
            return false;
        std::optional<std::wstring> value = StringValue(tokens);
        if (!value)
            return false;
        owner.values.emplace_back(std::move(*name), std::move(*value));
    }
}

HRESULT FromStatus(LSTATUS status) {
    return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status);
}

HRESULT SetString(HKEY key, const wchar_t* name, const std::wstring& text) {
    return FromStatus(::RegSetValueExW(key, name, 0, REG_SZ,
                                       reinterpret_cast<const BYTE*>(text.c_str()),
                                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))));
}

// Removes the key with everything below it; a key that is not there is fine.
HRESULT RemoveTree(HKEY parent, const std::wstring& name) {
    const LSTATUS status = ::RegDeleteTreeW(parent, name.c_str());
    return status == ERROR_FILE_NOT_FOUND ? S_OK : FromStatus(status);
}

HRESULT Register(HKEY parent, const Key& key) {
    if (key.forceRemove) {
        if (HRESULT hr = RemoveTree(parent, key.name); FAILED(hr))
            return hr;
    }
    HKEY opened = nullptr;
    HRESULT hr = FromStatus(::RegCreateKeyExW(parent, key.name.c_str(), 0, nullptr, 0,
                                              KEY_READ | KEY_WRITE, nullptr, &opened, nullptr));
    if (FAILED(hr))
        return hr;
    if (key.defaultValue)
        hr = SetString(opened, nullptr, *key.defaultValue);
    for (const auto& [name, text] : key.values) {
        if (SUCCEEDED(hr))
            hr = SetString(opened, name.c_str(), text);
    }
    for (const Key& subkey : key.subkeys) {
        if (SUCCEEDED(hr))
            hr = Register(opened, subkey);
    }
    ::RegCloseKey(opened);
    return hr;
}

HRESULT Unregister(HKEY parent, const Key& key) {
    if (!key.noRemove)
        return RemoveTree(parent, key.name);
    HKEY opened = nullptr;
    const LSTATUS status =
        ::RegOpenKeyExW(parent, key.name.c_str(), 0, KEY_READ | KEY_WRITE, &opened);
    if (status == ERROR_FILE_NOT_FOUND)
        return S_OK;
    if (status != ERROR_SUCCESS)
        return FromStatus(status);
    HRESULT hr = S_OK;
    for (const Key& subkey : key.subkeys) {
        if (SUCCEEDED(hr))
            hr = Unregister(opened, subkey);
    }
    ::RegCloseKey(opened);
    return hr;
}

}  // namespace

HRESULT RunRegistryScript(std::string_view script,
                          const std::map<std::wstring, std::wstring>& replacements,
                          RegistryMode mode) {
    Tokens tokens(script, replacements);
    Key parsed;
    if (!ParseBody(tokens, parsed, false) || !parsed.values.empty())
        return E_INVALIDARG;
    for (const Key& root : parsed.subkeys) {
        if (root.name != L"HKCR" || root.defaultValue || !root.values.empty())
            return E_INVALIDARG;
        for (const Key& key : root.subkeys) {
            HRESULT hr = mode == RegistryMode::kRegister ? Register(HKEY_CLASSES_ROOT, key)
                                                         : Unregister(HKEY_CLASSES_ROOT, key);
            if (FAILED(hr))
                return hr;
        }
    }
    return S_OK;
}

}  // namespace zarn::win32
