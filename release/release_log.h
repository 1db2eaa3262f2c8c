#pragma once

#include <cstdint>
#include <string_view>

namespace zarn {

// Longest message the host's log receives, in UTF-16 code units; longer ones are cut.
inline constexpr std::size_t kMaxLogMessage = 1023;

// Writes one line to the host's error log of the current release data, from code module
// "releaseScript" and the source line of the call (pass __LINE__). A severity above 0 is a failure
// and is also sent to the host as a document error message. Does nothing while there is no current
// release data.
void LogReleaseMessage(std::int32_t severity, std::int32_t line, std::u16string_view message);

}  // namespace zarn
