#include <iostream>

#include "common/utf16_text.h"
#include "tools/cli/batch_file.h"
#include "tools/cli/batch_release.h"
#include "tools/cli/command.h"
#include "tools/cli/server_url.h"
#include "tools/cli/transfer_options.h"
#include "tools/json/utf8_path.h"

namespace zarn::tools {

namespace {

constexpr char kHelp[] =
    R"(Usage: zarnrel release BATCH [--server URL] [--connect-timeout SECONDS] [--timeout SECONDS]

Releases the documents of a batch file through the release script, exactly as the capture
host drives it: the document data handed over, OpenScript, ReleaseDoc for every document,
CloseScript. The host builds each document's release values from the stored links.

Prints one line per document as it goes, "[2/5] NAME ... released: LOG" or
"[2/5] NAME ... FAILED: LOG", with the text that the host's log received, and a summary.

BATCH is a JSON file (comments allowed) holding the release setup record, the release's
user name, password and row separator, the batch's Capture values and batch fields, and the
documents with their index values, table rows and files; paths in it are relative to it.
examples/batch.json describes every member.

Options:
  --server URL   use URL as the server, as if the setup had stored it (replaces the
                 source of the "docStoreServer" link)
  --connect-timeout SECONDS, --timeout SECONDS
                 time limits of each request, as for zarnrel catalogue

Exit codes: 0 every document released, 1 a document was not released, 2 bad usage or a bad
batch file (its line and column are shown; nothing is sent).
)";

int RunRelease(const std::vector<std::string>& words) {
    Arguments arguments;
    if (const auto done = ParseCommandLine(
            kReleaseCommand, words, {{"server"}, {"connect-timeout"}, {"timeout"}}, 1, arguments)) {
        return *done;
    }
    if (arguments.Positional().empty()) {
        return UsageError("release", "the batch file is missing");
    }
    const std::optional<std::string> server = arguments.Value("server");
    if (server && !IsServerUrl(*server)) {
        return UsageError("release",
                          "--server needs an http:// or https:// URL, not \"" + *server + "\"");
    }
    if (const auto failed = ApplyTransferOptions("release", arguments)) {
        return *failed;
    }
    BatchFile batch;
    std::string error;
    if (!LoadBatchFile(PathFromUtf8(arguments.Positional().front()), batch, error)) {
        PrintError("release", error);
        return kExitBadInput;
    }
    if (server) {
        UseServer(batch, FromUtf8(*server));
    }
    return ReleaseBatch(batch, std::cout) ? kExitDone : kExitFailed;
}

}  // namespace

const Command kReleaseCommand = {"release", "release a batch described in a file", kHelp,
                                 RunRelease};

}  // namespace zarn::tools
