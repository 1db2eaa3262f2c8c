#pragma once

#include <cstdint>
#include <source_location>
#include <string_view>

namespace zarn {

// Longest message the host's log receives, in UTF-16 code units; longer ones are cut.
inline constexpr std::size_t kMaxLogMessage = 1023;

// Writes one line to the host's error log of the current release data, from code module
// "releaseScript" with the line of the call. A severity above 0 is a failure and is also sent
// to the host as a document error message. Does nothing while there is no current release data.
void LogReleaseMessage(std::int32_t severity, std::u16string_view message,
                       std::source_location where = std::source_location::current());

}  // namespace zarn
