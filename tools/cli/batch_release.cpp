#include "tools/cli/batch_release.h"

#include "common/text.h"
#include "host/sim/sim_host.h"
#include "release/release_script.h"
#include "tools/cli/console_services.h"

namespace zarn::tools {

namespace {

constexpr char kLogOperation[] = "ReleaseData.LogError";

// What the host's log received since `from`, one line.
std::string LogTextSince(const host::sim::Journal& journal, std::size_t from) {
    const std::vector<host::sim::JournalEntry> entries = journal.Entries(kLogOperation);
    std::string text;
    for (std::size_t i = from; i < entries.size(); ++i) {
        std::string message = entries[i].texts.empty() ? "" : ToUtf8(Trim(entries[i].texts[0]));
        text += (text.empty() ? "" : " | ") + message;
    }
    return text.empty() ? "(nothing logged)" : text;
}

}  // namespace

bool ReleaseBatch(const BatchFile& batch, std::ostream& out) {
    const host::sim::SimHost host;
    std::vector<std::shared_ptr<host::IReleaseData>> documentData;
    for (const BatchDocument& document : batch.documents) {
        documentData.push_back(
            host.MakeReleaseData(batch.setup, batch.batch, document.document, batch.session));
    }
    if (documentData.empty()) {
        out << "The batch has no documents." << std::endl;
        return false;
    }

    ConsoleServices console;
    ReleaseScript script(console.services());
    script.SetDocumentData(documentData.front());
    if (script.OpenScript() != KFX_REL_SUCCESS) {
        out << "OpenScript failed; no document was released." << std::endl;
        script.CloseScript();
        return false;
    }
    const std::size_t total = documentData.size();
    std::size_t released = 0;
    for (std::size_t i = 0; i < total; ++i) {
        script.SetDocumentData(documentData[i]);
        const std::size_t logged = host.JournalOfWrites().Entries(kLogOperation).size();
        const bool success = script.ReleaseDoc() == KFX_REL_SUCCESS;
        released += success ? 1 : 0;
        out << "[" << i + 1 << "/" << total << "] " << batch.documents[i].label << " ... "
            << (success ? "released: " : "FAILED: ") << LogTextSince(host.JournalOfWrites(), logged)
            << std::endl;
    }
    const bool closed = script.CloseScript() == KFX_REL_SUCCESS;
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
