#include "tools/cli/batch_release.h"

#include "common/utf16_text.h"
#include "host/sim/sim_host.h"
#include "release/release_script.h"
#include "tools/cli/console_services.h"
#include "tools/text/visible_text.h"

namespace zarn::tools {

namespace {

constexpr char kLogOperation[] = "ReleaseData.LogError";

// What the host's log received, one line: each text as it came, but for its closing line break,
// with inner line breaks and other controls escaped.
std::string LogText(const host::sim::Journal& journal) {
    std::string text;
    for (const host::sim::JournalEntry& entry : journal.Entries(kLogOperation)) {
        std::u16string_view message;
        if (!entry.texts.empty()) {
            message = entry.texts[0];
        }
        if (message.ends_with(u'\n')) {
            message.remove_suffix(message.ends_with(u"\r\n") ? 2 : 1);
        }
        text += (text.empty() ? "" : " | ") + VisibleText(message);
    }
    return text.empty() ? "(nothing logged)" : text;
}

}  // namespace

bool ReleaseBatch(const BatchFile& batch, std::ostream& out) {
    if (batch.documents.empty()) {
        out << "The batch has no documents." << std::endl;
        return false;
    }
    const host::sim::SimHost host;
    // Each document's data is made when it is handed over and goes with the next one, so the
    // host holds one document at a time, as the batch file holds them all.
    const auto dataOf = [&](const BatchDocument& document) {
        return host.MakeReleaseData(batch.setup, batch.batch, document.document, batch.session);
    };
    ConsoleServices console;
    ReleaseScript script(console.services());
    script.SetDocumentData(dataOf(batch.documents.front()));
    if (script.OpenScript() != host::KFX_REL_SUCCESS) {
        out << "OpenScript failed; no document was released." << std::endl;
        script.CloseScript();
        return false;
    }
    const std::size_t total = batch.documents.size();
    std::size_t released = 0;
    for (std::size_t i = 0; i < total; ++i) {
        if (i > 0) {
            script.SetDocumentData(dataOf(batch.documents[i]));
        }
        // Only this document's writes are shown, and the journal does not grow with the batch.
        host.JournalOfWrites().Clear();
        const bool success = script.ReleaseDoc() == host::KFX_REL_SUCCESS;
        released += success ? 1 : 0;
        out << "[" << i + 1 << "/" << total << "] " << VisibleText(batch.documents[i].label)
            << " ... " << (success ? "released: " : "FAILED: ") << LogText(host.JournalOfWrites())
            << std::endl;
    }
    const bool closed = script.CloseScript() == host::KFX_REL_SUCCESS;
    if (released == total) {
        out << (total == 1 ? "The document was released."
                           : "All " + std::to_string(total) + " documents were released.");
    } else {
        out << released << " of " << total << " documents released, " << total - released
            << " failed.";
    }
    out << (closed ? "" : " CloseScript failed.") << std::endl;
    return released == total && closed;
}

}  // namespace zarn::tools
