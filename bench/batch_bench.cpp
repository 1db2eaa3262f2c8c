// Releases batches with `zarnrel release`, run as a user runs it, to the reference server on
// loopback, and posts the same forms with one curl process to the same server: 1,000 and 10,000
// documents of 2 KB and 100 documents of 1 MB. Prints documents per second for both, the ratio
// of their times, the peak memory of zarnrel and the connections that the server accepted from
// each. Targets: at most 1.3 times curl's time for the small documents, 1.1 times for the large
// ones; a handful of connections per batch; peak memory below 64 MB plus the batch file.

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/bench_batch.h"
#include "bench/child_process.h"
#include "bench/scratch_folder.h"
#include "tools/docstore_server/docstore_server.h"

namespace zarn::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kRuns = 5;
constexpr double kMemoryAllowance = 64;  // MB, besides the batch file

struct BatchCase {
    int documents;
    std::size_t documentBytes;
    const char* title;
    double targetRatio;
};
constexpr BatchCase kCases[] = {
    {1000, 2048, "1,000 documents of 2 KB", 1.3},
    {10000, 2048, "10,000 documents of 2 KB", 1.3},
    {100, 1 << 20, "100 documents of 1 MB", 1.1},
};

// What one client did with a batch, over the runs.
struct ClientRuns {
    std::vector<double> seconds;
    double peakMegabytes = 0;
    std::uint64_t connections = 0;  // the most in one run

    double Median() const {
        std::vector<double> sorted = seconds;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
};

// Runs the command through zarn_measured_run and reads its report.
ChildRun RunMeasured(const std::vector<std::string>& command, const fs::path& folder) {
    const fs::path errors = folder / "client.err";
    const fs::path report = folder / "client.run";
    std::vector<std::string> measured = {ZARN_MEASURED_RUN_PATH, "/dev/null", errors.string()};
    measured.insert(measured.end(), command.begin(), command.end());
    ChildRun run;
    if (RunChild(measured, report.string(), (folder / "measure.err").string()).exitCode == 0) {
        std::ifstream(report) >> run.exitCode >> run.seconds >> run.peakMegabytes;
    }
    return run;
}

class BenchServer {
  public:
    explicit BenchServer(const fs::path& storeDir) : storeDir_(storeDir) {
        docstore::Catalogue catalogue;
        std::string error;
        if (!docstore::ParseCatalogueFixture("bench.json", kBenchCatalogue, catalogue, error)) {
            Fail(error);
        }
        docstore::ServerSettings settings;
        settings.storeDir = storeDir;
        settings.log = [this](const std::string& line) {
            stored_ += line.find(" 200 Document ") != std::string::npos ? 1 : 0;
        };
        server_ = std::make_unique<docstore::DocStoreServer>(std::move(catalogue), settings);
        if (!server_->Start(error)) {
            Fail(error);
        }
    }

    std::string url() const { return server_->url(); }

    // Runs the client and checks that it stored every document; the documents are removed after.
    void Measure(const std::vector<std::string>& command, int documents, const fs::path& folder,
                 ClientRuns& runs) {
        const std::uint64_t accepted = server_->AcceptedConnections();
        const std::uint64_t stored = stored_;
        const ChildRun run = RunMeasured(command, folder);
        if (run.exitCode != 0 || stored_ - stored != static_cast<std::uint64_t>(documents)) {
            Fail(command.front() + " exited " + std::to_string(run.exitCode) + " having stored " +
                 std::to_string(stored_ - stored) + " of " + std::to_string(documents) +
                 " documents; see " + (folder / "client.err").string());
        }
        runs.seconds.push_back(run.seconds);
        runs.peakMegabytes = std::max(runs.peakMegabytes, run.peakMegabytes);
        runs.connections = std::max(runs.connections, server_->AcceptedConnections() - accepted);
        fs::remove_all(storeDir_ / "Bench");
    }

    [[noreturn]] static void Fail(const std::string& why) {
        std::fprintf(stderr, "zarn_batch_bench: %s\n", why.c_str());
        std::exit(1);
    }

  private:
    fs::path storeDir_;
    std::atomic<std::uint64_t> stored_ = 0;
    std::unique_ptr<docstore::DocStoreServer> server_;
};

void PrintClient(const char* name, const ClientRuns& runs, int documents) {
    std::printf("  %-8s %8.3f s %10.0f documents/s %4llu connection(s)", name, runs.Median(),
                documents / runs.Median(), static_cast<unsigned long long>(runs.connections));
}

int Run(const std::string& zarnrelPath) {
    if (RunChild({"curl", "--version"}, "/dev/null", "/dev/null").exitCode != 0) {
        BenchServer::Fail("curl is not on the PATH");
    }
    const fs::path folder = MakeScratchFolder("zarn_batch_bench");
    BenchServer server(folder / "store");
    std::printf(
        "%s release and one curl process posting the same forms to the reference server "
        "on 127.0.0.1, files in %s (median of %d runs)\n",
        zarnrelPath.c_str(), folder.parent_path().c_str(), kRuns);
    for (const BatchCase& batchCase : kCases) {
        const fs::path caseFolder = folder / "batch";
        const BenchBatch batch =
            WriteBenchBatch(caseFolder, batchCase.documents, batchCase.documentBytes, server.url());
        const std::vector<std::string> zarnrel = {zarnrelPath, "release", batch.batchFile.string(),
                                                  "--server", server.url()};
        const std::vector<std::string> curl = {"curl", "--silent", "--show-error", "-K",
                                               batch.curlConfig.string()};
        ClientRuns zarnrelRuns;
        ClientRuns curlRuns;
        // Each goes first in turn, so that neither always meets a warmer cache.
        for (int run = 0; run < kRuns; ++run) {
            for (int turn = 0; turn < 2; ++turn) {
                const bool zarnrelTurn = (run + turn) % 2 == 0;
                server.Measure(zarnrelTurn ? zarnrel : curl, batchCase.documents, folder,
                               zarnrelTurn ? zarnrelRuns : curlRuns);
            }
        }
        const double batchMegabytes = static_cast<double>(batch.batchFileBytes) / (1 << 20);
        const double ratio = zarnrelRuns.Median() / curlRuns.Median();
        std::printf("%s (batch file %.1f MB)\n", batchCase.title, batchMegabytes);
        PrintClient("zarnrel", zarnrelRuns, batchCase.documents);
        std::printf(", peak memory %.1f MB (target below %.1f MB)\n", zarnrelRuns.peakMegabytes,
                    kMemoryAllowance + batchMegabytes);
        PrintClient("curl", curlRuns, batchCase.documents);
        std::printf("\n  time zarnrel / curl: %.2f (target at most %.1f)\n", ratio,
                    batchCase.targetRatio);
        std::fflush(stdout);
        fs::remove_all(caseFolder);
    }
    fs::remove_all(folder);
    return 0;
}

}  // namespace
}  // namespace zarn::bench

// An argument names another zarnrel program to measure, an earlier build say.
int main(int argc, char** argv) {
    return zarn::bench::Run(argc > 1 ? argv[1] : ZARNREL_PATH);
}
