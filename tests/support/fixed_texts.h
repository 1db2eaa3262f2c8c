#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/texts.h"

namespace zarn::test {

// Texts that the test fixes: the string table, the system error texts and the module version
// hold what the test puts in them, nothing at first. Messages are formatted by the platform.
class FixedTexts : public Texts {
  public:
    std::optional<std::u16string> StringResource(std::uint32_t id) override;
    std::u16string FormatMessageText(const std::u16string& messageTemplate,
                                     const std::vector<std::u16string>& inserts) override;
    std::optional<std::u16string> SystemErrorText(HResult code) override;
    std::optional<std::vector<std::uint16_t>> ModuleProductVersion() override;

    std::map<std::uint32_t, std::u16string> strings;
    std::map<HResult, std::u16string> systemErrors;
    std::optional<std::vector<std::uint16_t>> version;
    int systemErrorQuestions = 0;  // how often a system error text was asked for
};

}  // namespace zarn::test
