#include "tools/cli/arguments.h"

namespace zarn::tools {

bool Arguments::Parse(const std::vector<std::string>& words, const std::vector<OptionRule>& options,
                      std::size_t maxPositional, std::string& error) {
    values_.clear();
    positional_.clear();
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            if (positional_.size() == maxPositional) {
                error = "unexpected argument \"" + word + "\"";
                return false;
            }
            positional_.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        const std::string spelled = word == "-h" ? "--help" : word;
        const auto equals = spelled.find('=');
        const std::string name =
            spelled.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
        const OptionRule* rule = nullptr;
        for (const OptionRule& option : options) {
            if (spelled.starts_with("--") && option.name == name) {
                rule = &option;
            }
        }
        if (rule == nullptr) {
            error = "unknown option " + word;
            return false;
        }
        if (Has(name)) {
            error = "option --" + name + " is given twice";
            return false;
        }
        if (!rule->takesValue) {
            if (equals != std::string::npos) {
                error = "option --" + name + " takes no value";
                return false;
            }
            values_[name] = "";
        } else if (equals != std::string::npos) {
            values_[name] = spelled.substr(equals + 1);
        } else if (i + 1 < words.size()) {
            values_[name] = words[++i];
        } else {
            error = "option --" + name + " needs a value";
            return false;
        }
    }
    return true;
}

std::optional<std::string> Arguments::Value(std::string_view name) const {
    const auto found = values_.find(std::string(name));
    if (found == values_.end()) {
        return std::nullopt;
    }
    return found->second;
}

}  // namespace zarn::tools
