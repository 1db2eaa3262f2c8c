#include "release/release_log.h"

#include "common/utf16_text.h"
#include "host/kfx_constants.h"
#include "release/current_release_data.h"

namespace zarn {

void LogReleaseMessage(std::int32_t severity, std::int32_t line, std::u16string_view message) {
    std::shared_ptr<host::IReleaseData> data = CurrentReleaseData::Get();
    if (!data)
        return;
    const std::u16string text = TruncateUnits(message, kMaxLogMessage);
    // A log that refuses a line leaves nowhere else to tell of it.
    static_cast<void>(data->LogError(severity, 0, 0, text, u"releaseScript", line));
    if (severity > 0)
        static_cast<void>(data->SendDocumentMessage(text, severity, host::KFX_REL_DOC_ERROR));
}

}  // namespace zarn
