#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarn::tools {

// An option a command accepts: "--name VALUE" (or "--name=VALUE") when it takes a value,
// "--name" alone when it is a switch.
struct OptionRule {
    std::string_view name;
    bool takesValue = true;
};

// A command's arguments after the command word: options and positional arguments.
class Arguments {
  public:
    // False with an error text on an unknown option, a missing value, a repeated option or
    // more positional arguments than `maxPositional`. "--" ends the options.
    bool Parse(const std::vector<std::string>& words, const std::vector<OptionRule>& options,
               std::size_t maxPositional, std::string& error);

    bool Has(std::string_view name) const { return values_.count(std::string(name)) != 0; }
    std::optional<std::string> Value(std::string_view name) const;
    const std::vector<std::string>& Positional() const { return positional_; }

  private:
    std::map<std::string, std::string> values_;
    std::vector<std::string> positional_;
};

}  // namespace zarn::tools
