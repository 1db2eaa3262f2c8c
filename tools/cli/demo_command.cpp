#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <mutex>

#include "common/utf16_text.h"
#include "tools/cli/batch_file.h"
#include "tools/cli/batch_release.h"
#include "tools/cli/bundled_examples.h"
#include "tools/cli/catalogue_view.h"
#include "tools/cli/command.h"
#include "tools/docstore_server/docstore_server.h"
#include "tools/docstore_server/document_archive.h"
#include "tools/text/visible_text.h"

namespace zarn::tools {

namespace fs = std::filesystem;

namespace {

constexpr char kHelp[] =
    R"(Usage: zarnrel demo [--dir DIR]

Runs the system on its bundled sample, with nothing but the build:
  1. starts the reference document-store server on a free port of 127.0.0.1 with the
     sample catalogue (examples/catalogue.json);
  2. loads and prints the catalogue, as `zarnrel catalogue` does;
  3. releases the sample batch (examples/batch.json: three invoices, with a multi-value
     field and a table field), as `zarnrel release` does;
  4. shows what the server stored.
The server's log lines are shown as they come, marked "server |".

Options:
  --dir DIR   write the sample files and the stored documents to DIR, a new or empty
              folder, and keep them (default: a temporary folder, removed at the end)
)";

void Heading(const std::string& title) {
    std::cout << "\n== " << title << " ==" << std::endl;
}

// A fresh folder below the system's temporary folder.
bool MakeTemporaryFolder(fs::path& folder, std::string& error) {
    std::string pattern = (fs::temp_directory_path() / "zarnrel-demo-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        error = "cannot create a temporary folder";
        return false;
    }
    folder = pattern;
    return true;
}

void PrintStoredDocuments(const fs::path& storeDir) {
    const std::vector<docstore::StoredDocument> documents = docstore::ListStoredDocuments(storeDir);
    if (documents.empty()) {
        std::cout << "(nothing stored)" << std::endl;
    }
    for (const docstore::StoredDocument& document : documents) {
        // What a client posted, as the server stored it.
        std::cout << fs::relative(document.folder, storeDir).string() << ": "
                  << VisibleText(document.store) << " / " << VisibleText(document.docType)
                  << ", file " << VisibleText(document.fileName) << " (" << document.fileSize
                  << " bytes)" << std::endl;
        for (const auto& [name, value] : document.fields) {
            std::cout << "    " << VisibleText(name) << " = " << VisibleText(value) << std::endl;
        }
    }
}

bool RunSteps(const fs::path& folder) {
    std::string error;
    if (!WriteBundledExamples(folder, error)) {
        PrintError("demo", error);
        return false;
    }
    docstore::Catalogue catalogue;
    BatchFile batch;
    if (!docstore::LoadCatalogueFixture(folder / kSampleCatalogue, catalogue, error) ||
        !LoadBatchFile(folder / kSampleBatch, batch, error)) {
        PrintError("demo", error);
        return false;
    }

    Heading("1. Reference document-store server");
    docstore::ServerSettings settings;
    settings.storeDir = folder / "docstore";
    settings.log = [](const std::string& line) {
        static std::mutex mutex;
        const std::lock_guard<std::mutex> lock(mutex);
        std::cout << "  server | " + line << std::endl;
    };
    docstore::DocStoreServer server(std::move(catalogue), settings);
    if (!server.Start(error)) {
        PrintError("demo", error);
        return false;
    }
    std::cout << "Listening on " << server.url() << ", documents in " << settings.storeDir.string()
              << std::endl;

    Heading("2. Catalogue: zarnrel catalogue --server " + server.url());
    const bool loaded =
        LoadAndPrintCatalogue(server.url(), "", "", CatalogueFormat::kTree, std::cout);

    Heading("3. Release: zarnrel release " + (folder / kSampleBatch).string() + " --server " +
            server.url());
    UseServer(batch, FromUtf8(server.url()));
    const bool released = ReleaseBatch(batch, std::cout);
    server.Stop();

    Heading("4. What the server stored below " + settings.storeDir.string());
    PrintStoredDocuments(settings.storeDir);
    return loaded && released;
}

int RunDemo(const std::vector<std::string>& words) {
    Arguments arguments;
    if (const auto done = ParseCommandLine(kDemoCommand, words, {{"dir"}}, 0, arguments)) {
        return *done;
    }
    fs::path folder;
    std::string error;
    const std::optional<std::string> keep = arguments.Value("dir");
    if (keep) {
        // The demo writes files of fixed names there: it takes no folder that holds anything.
        folder = fs::absolute(*keep);
        std::error_code code;
        if (fs::exists(folder, code) && !fs::is_empty(folder, code)) {
            PrintError("demo", folder.string() + " is not empty; give a new or empty folder");
            return kExitBadInput;
        }
        fs::create_directories(folder, code);
        if (code) {
            PrintError("demo", "cannot create " + folder.string() + ": " + code.message());
            return kExitBadInput;
        }
    } else if (!MakeTemporaryFolder(folder, error)) {
        PrintError("demo", error);
        return kExitFailed;
    }
    std::cout << "zarnrel demo: the reference server with the sample catalogue, and the sample "
                 "batch released to it."
              << std::endl;
    const bool done = RunSteps(folder);
    std::error_code code;
    if (keep) {
        std::cout << "\nThe sample files and the stored documents are in " << folder.string() << "."
                  << std::endl;
    } else {
        fs::remove_all(folder, code);
    }
    std::cout << (done ? "\nDemo finished: every step succeeded."
                       : "\nDemo finished: a step failed (see above).")
              << std::endl;
    return done ? kExitDone : kExitFailed;
}

}  // namespace

const Command kDemoCommand = {"demo", "run the system on its bundled sample", kHelp, RunDemo};

}  // namespace zarn::tools
