#include <csignal>
#include <filesystem>
#include <iostream>
#include <mutex>

#include "tools/cli/command.h"
#include "tools/cli/server_options.h"
#include "tools/docstore_server/docstore_server.h"

namespace zarn::tools {

namespace {

constexpr char kHelp[] =
    R"(Usage: zarnrel serve [--port N] [--host ADDRESS] [--catalogue FILE] [--store-dir DIR]
                     [--user NAME [--password TEXT]]

Runs the reference document-store server until interrupted (Ctrl+C).

It serves the catalogue at /docStore/store/ and /docStore/store/<store>/docTypeKey/, and
accepts documents posted to /docStore/store/<store>/document/. A document is refused, with
a reply whose element with id "statusDescription" says why, when its store or document type
is unknown, when it has no file, when a required key has no value, or when a unique key's
value is taken already. Every accepted document is stored below the store folder, one
folder per document (<store-dir>/<store>/<id>/) with its file and document.json (its fields
in the order received). One line is logged per request. Connections are kept between
requests until the client closes them, a request cannot be read whole, or they have been
idle for 5 seconds. A client that takes over 10 seconds for a request's head, or brings less
than 4 KB of a body in 20 seconds, is answered 408 and cut.

Options:
  --port N          port to listen on (default 8080); 0 picks a free port
  --host ADDRESS    address to listen on (default 127.0.0.1)
  --catalogue FILE  catalogue fixture (JSON; default: the bundled sample catalogue)
  --store-dir DIR   folder of stored documents (default: ./docstore)
  --user NAME       ask for Basic authentication with this user name
  --password TEXT   the password (default: $ZARNREL_PASSWORD, else empty)

The line "Listening on http://HOST:PORT" on standard output gives the address in use.
)";

int RunServe(const std::vector<std::string>& words) {
    Arguments arguments;
    if (const auto done = ParseCommandLine(
            kServeCommand, words,
            {{"port"}, {"host"}, {"catalogue"}, {"store-dir"}, {"user"}, {"password"}}, 0,
            arguments)) {
        return *done;
    }
    docstore::ServerSettings settings;
    docstore::Catalogue catalogue;
    std::string error;
    if (!ReadServerOptions(arguments, settings, error)) {
        return UsageError("serve", error);
    }
    if (!LoadServedCatalogue(arguments, catalogue, error)) {
        PrintError("serve", error);
        return kExitBadInput;
    }
    std::error_code folderError;
    std::filesystem::create_directories(settings.storeDir, folderError);
    if (folderError) {
        PrintError("serve", "cannot create the store folder " + settings.storeDir.string() + ": " +
                                folderError.message());
        return kExitBadInput;
    }
    settings.log = [](const std::string& line) {
        static std::mutex mutex;
        const std::lock_guard<std::mutex> lock(mutex);
        std::cout << line << std::endl;
    };

    // The signals are taken by sigwait below, not by a handler; the server's threads inherit
    // the mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    docstore::DocStoreServer server(std::move(catalogue), settings);
    if (!server.Start(error)) {
        PrintError("serve", error);
        return kExitFailed;
    }
    std::cout << "Listening on " << server.url() << " (documents in " << settings.storeDir.string()
              << "; Ctrl+C stops)" << std::endl;
    int signal = 0;
    sigwait(&stopSignals, &signal);
    server.Stop();
    std::cout << "Stopped." << std::endl;
    return kExitDone;
}

}  // namespace

const Command kServeCommand = {"serve", "run the reference document-store server", kHelp, RunServe};

}  // namespace zarn::tools
