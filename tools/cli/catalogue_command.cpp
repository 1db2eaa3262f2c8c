#include <iostream>

#include "tools/cli/catalogue_view.h"
#include "tools/cli/command.h"
#include "tools/cli/credentials.h"
#include "tools/cli/server_url.h"
#include "tools/cli/transfer_options.h"

namespace zarn::tools {

namespace {

constexpr char kHelp[] =
    R"(Usage: zarnrel catalogue --server URL [--user NAME] [--password TEXT] [--json]
                         [--connect-timeout SECONDS] [--timeout SECONDS]

Loads the document-store server's catalogue as the setup's Reload does (the store list from
URL/docStore/store/, then each store's details from URL/docStore/store/<store>/docTypeKey/)
and prints it: stores with their descriptions, their document types, and each type's keys in
sort order, numbered as the setup numbers its parameters ([00], [01] ...), with the key's type
and whether it is required or unique.

Options:
  --server URL      the server, exactly as it would be typed in the setup
  --user NAME       user name sent with every request
  --password TEXT   password (default: $ZARNREL_PASSWORD, else empty)
  --json            print the catalogue as JSON
  --connect-timeout SECONDS
                    give up on a server that does not accept the connection in time
                    (default 60)
  --timeout SECONDS give up on a request that has not ended in time (default: no limit;
                    a request that moves less than a kilobyte a minute fails anyway)
  The two limits are not available on Windows, whose request object takes none.

A failed request prints the system's own message to standard error; the exit code is then 1.
A reply that is not a catalogue document (not well-formed XML, nested too deeply, or rooted
elsewhere than ZARN) counts as a failed request. A catalogue without stores prints "0 stores".
)";

int RunCatalogue(const std::vector<std::string>& words) {
    Arguments arguments;
    if (const auto done = ParseCommandLine(
            kCatalogueCommand, words,
            {{"server"}, {"user"}, {"password"}, {"json", false}, {"connect-timeout"}, {"timeout"}},
            0, arguments)) {
        return *done;
    }
    const std::optional<std::string> server = arguments.Value("server");
    if (!server) {
        return UsageError("catalogue", "--server is required");
    }
    if (!IsServerUrl(*server)) {
        return UsageError("catalogue",
                          "--server needs an http:// or https:// URL, not \"" + *server + "\"");
    }
    if (const auto failed = ApplyTransferOptions("catalogue", arguments)) {
        return *failed;
    }
    const bool loaded = LoadAndPrintCatalogue(
        *server, arguments.Value("user").value_or(""), PasswordOf(arguments),
        arguments.Has("json") ? CatalogueFormat::kJson : CatalogueFormat::kTree, std::cout);
    return loaded ? kExitDone : kExitFailed;
}

}  // namespace

const Command kCatalogueCommand = {"catalogue", "load and print a server's catalogue", kHelp,
                                   RunCatalogue};

}  // namespace zarn::tools
