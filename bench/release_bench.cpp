// Releases a 256 MB document through the release script, on the simulated host, to a server on
// loopback that discards the body, and prints throughput and peak memory, next to `curl -F` posting
// the same file to the same server. Targets: peak memory below the file size plus 32 MB, throughput
// at least half of curl's.

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/discarding_server.h"
#include "bench/random_document.h"
#include "common/file_system.h"
#include "common/services.h"
#include "common/texts.h"
#include "common/utf16_text.h"
#include "host/sim/sim_host.h"
#include "release/release_script.h"
#include "tools/cli/console_user_interface.h"
#include "transport/posix/http_request_curl.h"

namespace {

constexpr std::uint64_t kMegabyte = 1 << 20;
constexpr std::uint64_t kFileSize = 256 * kMegabyte;
constexpr int kRuns = 3;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration elapsed) {
    return std::chrono::duration<double>(elapsed).count();
}

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in kilobytes
}

// One release of the document as the capture host drives it, with the server and store stored
// as the setup's properties.
bool Release(const zarn::Services& services, const std::u16string& serverUrl,
             const std::filesystem::path& document) {
    zarn::host::sim::SimHost host;
    auto record = std::make_shared<zarn::host::sim::SetupRecord>();
    record->customProperties = {
        {u"serverURL", serverUrl}, {u"docStore", u"Main"}, {u"docType", u"Invoice"}};
    zarn::host::sim::Document pages;
    pages.imageFiles = {zarn::FromUtf8(document.string())};

    zarn::ReleaseScript script(services);
    script.SetDocumentData(host.MakeReleaseData(record, {}, pages));
    if (script.OpenScript() != zarn::host::KFX_REL_SUCCESS)
        return false;
    const bool released = script.ReleaseDoc() == zarn::host::KFX_REL_SUCCESS;
    if (!released) {
        for (const auto& entry : host.JournalOfWrites().Entries("ReleaseData.LogError"))
            std::fprintf(stderr, "release failed: %s\n", zarn::ToUtf8(entry.texts.at(0)).c_str());
    }
    script.CloseScript();
    return released;
}

}  // namespace

int main() {
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("zarn_release_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::filesystem::path document = folder / "document.bin";
    zarn::bench::WriteRandomDocument(document, kFileSize / kMegabyte);
    double baseline = PeakMegabytes();

    zarn::bench::DiscardingServer server;
    const std::u16string serverUrl = zarn::FromUtf8(server.Url());
    const std::string url = server.Url("/docStore/store/Main/document/");

    auto http = zarn::CreateCurlHttpRequestFactory(zarn::CurlHttpOptions{});
    zarn::tools::ConsoleUserInterface ui;
    zarn::Services services{zarn::PlatformFileSystem(), *http, zarn::PlatformXmlDocumentFactory(),
                            zarn::PlatformTexts(), ui};

    double best = 0;
    for (int run = 0; run < kRuns; ++run) {
        auto start = Clock::now();
        if (!Release(services, serverUrl, document))
            return 1;
        best = std::max(best, kFileSize / kMegabyte / Seconds(Clock::now() - start));
    }
    double peak = PeakMegabytes();
    std::printf("file                 %8.0f MB\n", static_cast<double>(kFileSize / kMegabyte));
    std::printf("release throughput   %8.1f MB/s (best of %d)\n", best, kRuns);
    std::printf(
        "peak memory          %8.1f MB (before the releases %.1f MB; target below %.0f MB)\n", peak,
        baseline, static_cast<double>(kFileSize / kMegabyte + 32));

    if (std::system("command -v curl > /dev/null 2>&1") == 0) {
        std::string command =
            "curl -s -o /dev/null -F 'document=@" + document.string() + "' '" + url + "'";
        double curlBest = 0;
        for (int run = 0; run < kRuns; ++run) {
            auto start = Clock::now();
            if (std::system(command.c_str()) != 0)
                break;
            curlBest = std::max(curlBest, kFileSize / kMegabyte / Seconds(Clock::now() - start));
        }
        std::printf(
            "curl -F throughput   %8.1f MB/s (best of %d; target at least half: %.1f MB/s)\n",
            curlBest, kRuns, curlBest / 2);
    } else {
        std::printf("curl -F throughput   (curl is not installed)\n");
    }
    std::printf("server received      %zu requests\n", server.RequestCount());

    std::filesystem::remove_all(folder);
    return 0;
}
