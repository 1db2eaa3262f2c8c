// Releases a 64 MB document through zarnRel.dll as the capture host drives it (ZarnReleaseScript
// created by ProgID, every call by name through IDispatch, host objects over the simulated host)
// to the reference server, and prints throughput and the process's peak memory. With --msxml it
// posts the same bytes through MSXML's request object alone instead, from one SAFEARRAY: the
// least any caller of it needs. The module holds the body once and copies it once into the
// SAFEARRAY, so its peak stays below that of MSXML alone plus the file plus 48 MB.
// Usage: zarn_release_bench_win32 [--msxml] SERVER-URL (see run_release_bench_win32.sh)

#include <windows.h>
// After windows.h, whose types it uses.
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/random_document.h"
#include "common/utf16_text.h"
#include "common/win32/com_ptr.h"
#include "common/win32/variant.h"
#include "host/kfx_constants.h"
#include "host/sim/sim_host.h"
#include "host/sim/win32/sim_host_dispatch.h"
#include "tests/win32/module_harness.h"
#include "transport/win32/msxml_ids.h"

namespace {

constexpr std::uint64_t kMegabyte = 1 << 20;
constexpr std::uint64_t kFileSize = 64 * kMegabyte;
constexpr int kRuns = 3;

using Clock = std::chrono::steady_clock;

double PeakMegabytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters))
        return 0;
    return static_cast<double>(counters.PeakWorkingSetSize) / kMegabyte;
}

bool Release(const std::u16string& serverUrl, const std::filesystem::path& document) {
    zarn::host::sim::SimHost host;
    auto record = std::make_shared<zarn::host::sim::SetupRecord>();
    record->customProperties = {
        {u"serverURL", serverUrl}, {u"docStore", u"HR Records"}, {u"docType", u"Application"}};
    zarn::host::sim::Document pages;
    const std::wstring path = document.wstring();
    pages.imageFiles = {std::u16string(path.begin(), path.end())};

    zarn::test::Script script = zarn::test::Script::Create(zarn::test::kReleaseProgId);
    IDispatch* data = zarn::host::sim::ReleaseDataDispatch(host.MakeReleaseData(record, {}, pages));
    script.PutRef(L"DocumentData", data);
    data->Release();
    script.Call(L"OpenScript");
    const bool released = script.Call(L"ReleaseDoc") == zarn::host::KFX_REL_SUCCESS;
    script.Call(L"CloseScript");
    for (const auto& entry : host.JournalOfWrites().Entries("ReleaseData.LogError")) {
        if (!released)
            std::fprintf(stderr, "release failed: %s\n", zarn::ToUtf8(entry.texts.at(0)).c_str());
    }
    return released;
}

// The document's bytes posted through MSXML's request object from one SAFEARRAY.
bool PostThroughMsxml(const std::u16string& serverUrl, const std::filesystem::path& document) {
    zarn::win32::ComPtr<IXMLHTTPRequest> request;
    if (FAILED(::CoCreateInstance(zarn::win32::kClsidXmlHttp60, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IXMLHTTPRequest,
                                  reinterpret_cast<void**>(request.Receive()))))
        return false;
    zarn::win32::Variant body;
    SAFEARRAY* bytes = ::SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(kFileSize));
    void* data = nullptr;
    if (!bytes || FAILED(::SafeArrayAccessData(bytes, &data)))
        return false;
    std::ifstream(document, std::ios::binary).read(static_cast<char*>(data), kFileSize);
    ::SafeArrayUnaccessData(bytes);
    body.get()->vt = VT_ARRAY | VT_UI1;
    body.get()->parray = bytes;

    const std::wstring url(serverUrl.begin(), serverUrl.end());
    BSTR method = ::SysAllocString(L"POST");
    BSTR target = ::SysAllocString((url + L"/docStore/store/HR%20Records/document/").c_str());
    VARIANT async;
    async.vt = VT_BOOL;
    async.boolVal = VARIANT_FALSE;
    VARIANT none;
    none.vt = VT_EMPTY;
    HRESULT hr = request->open(method, target, async, none, none);
    if (SUCCEEDED(hr))
        hr = request->send(*body);
    ::SysFreeString(method);
    ::SysFreeString(target);
    return SUCCEEDED(hr);
}

int Run(bool msxmlAlone, const std::u16string& serverUrl) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("zarn_release_bench_" + std::to_string(::GetCurrentProcessId()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path document = folder / "document.bin";
    zarn::bench::WriteRandomDocument(document, kFileSize / kMegabyte);
    if (FAILED(zarn::test::Module::Register())) {
        std::fprintf(stderr, "zarnRel.dll could not be registered\n");
        return 1;
    }
    const double baseline = PeakMegabytes();

    double best = 0;
    bool released = true;
    for (int run = 0; run < kRuns && released; ++run) {
        const auto start = Clock::now();
        released =
            msxmlAlone ? PostThroughMsxml(serverUrl, document) : Release(serverUrl, document);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        best = std::max(best, static_cast<double>(kFileSize / kMegabyte) / seconds);
    }
    zarn::test::Module::Unregister();
    std::filesystem::remove_all(folder);
    if (!released)
        return 1;
    const double peak = PeakMegabytes();
    std::printf("file                 %8.0f MB\n", static_cast<double>(kFileSize / kMegabyte));
    std::printf("%s throughput %8.1f MB/s (best of %d)\n",
                msxmlAlone ? "MSXML alone  " : "release      ", best, kRuns);
    std::printf("peak working set     %8.1f MB (before the first post %.1f MB)\n", peak, baseline);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const bool msxmlAlone = argc == 3 && std::wstring(argv[1]) == L"--msxml";
    if (argc != 2 && !msxmlAlone) {
        std::fprintf(stderr, "usage: zarn_release_bench_win32 [--msxml] SERVER-URL\n");
        return 2;
    }
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    const std::wstring url = argv[argc - 1];
    const int result = Run(msxmlAlone, std::u16string(url.begin(), url.end()));
    ::CoUninitialize();
    return result;
}
