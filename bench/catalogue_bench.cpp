// Loads a catalogue of 500 stores (40 keys, 20 document types and 200 links each) from a
// server on loopback, and compares the time with one curl command fetching the same 501 URLs
// over one connection, and with the least that loading must do: that curl command followed by
// one libxml2 DOM parse of each reply's bytes. Target: the load at most 1.5 times that pair.

#include <httplib.h>
#include <libxml/parser.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "bench/child_process.h"
#include "bench/scratch_folder.h"
#include "catalogue/doc_store_manager.h"
#include "common/file_system.h"
#include "common/texts.h"
#include "common/utf16_text.h"
#include "tools/cli/console_user_interface.h"
#include "transport/posix/http_request_curl.h"
#include "transport/url_encode.h"

namespace zarn {
namespace {

using bench::ChildRun;
using bench::MakeScratchFolder;
using bench::RunChild;
using tools::ConsoleUserInterface;
using Clock = std::chrono::steady_clock;

constexpr int kStores = 500;
constexpr int kKeys = 40;
constexpr int kDocTypes = 20;
constexpr int kLinks = 200;
constexpr int kRuns = 5;

double Seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

// Running totals of the time spent inside the request objects.
struct RequestTimes {
    Clock::duration waited{};  // sending and waiting for the complete reply
    Clock::duration parsed{};  // parsing the reply body as XML
};

template <typename Call>
HResult Timed(Clock::duration& total, Call call) {
    Clock::time_point start = Clock::now();
    HResult result = call();
    total += Clock::now() - start;
    return result;
}

// A request object that keeps the time spent in it.
class TimedRequest : public HttpRequest {
  public:
    TimedRequest(std::unique_ptr<HttpRequest> inner, RequestTimes& times)
        : inner_(std::move(inner)), times_(times) {}

    HResult Open(std::u16string_view method, std::u16string_view url, bool asynchronous,
                 std::u16string_view user, std::u16string_view password) override {
        return inner_->Open(method, url, asynchronous, user, password);
    }
    HResult SetRequestHeader(std::u16string_view name, std::u16string_view value) override {
        return inner_->SetRequestHeader(name, value);
    }
    HResult Send(const ByteStream* body, std::uint64_t length) override {
        return Timed(times_.waited, [&] { return inner_->Send(body, length); });
    }
    HResult GetStatus(std::int32_t& status) override { return inner_->GetStatus(status); }
    HResult GetStatusText(std::u16string& text) override { return inner_->GetStatusText(text); }
    HResult GetResponseText(std::u16string& text) override { return inner_->GetResponseText(text); }
    HResult GetResponseXml(std::unique_ptr<XmlDocument>& document) override {
        return Timed(times_.parsed, [&] { return inner_->GetResponseXml(document); });
    }

  private:
    std::unique_ptr<HttpRequest> inner_;
    RequestTimes& times_;
};

class TimedRequestFactory : public HttpRequestFactory {
  public:
    explicit TimedRequestFactory(HttpRequestFactory& inner) : inner_(inner) {}

    HResult Create(std::unique_ptr<HttpRequest>& request) override {
        std::unique_ptr<HttpRequest> inner;
        HResult result = inner_.Create(inner);
        if (Succeeded(result))
            request = std::make_unique<TimedRequest>(std::move(inner), times);
        return result;
    }

    RequestTimes times;

  private:
    HttpRequestFactory& inner_;
};

std::string Element(const std::string& name, const std::string& value) {
    return "<" + name + ">" + value + "</" + name + ">";
}

std::string StoreName(int store) {
    return "Store " + std::to_string(store);
}

std::string StoreList() {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><ZARN><docStore>";
    for (int store = 0; store < kStores; ++store) {
        xml += "<store>" + Element("name", StoreName(store)) +
               Element("description", "Documents of store " + std::to_string(store)) +
               Element("library", "LIB" + std::to_string(store % 7)) + "</store>";
    }
    return xml + "</docStore></ZARN>";
}

std::string Details(int store) {
    static const char* kTypes[] = {"VARCHAR", "char", "INTEGER", "Decimal", "DATE", "TIMESTAMP"};
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><ZARN><docStore><store>";
    xml += "<docStoreKeys>";
    for (int key = 0; key < kKeys; ++key) {
        xml += "<docStoreKey>" + Element("name", "Key" + std::to_string(key)) +
               Element("description",
                       "Key " + std::to_string(key) + " of store " + std::to_string(store)) +
               Element("type", kTypes[key % 6]) + Element("id", std::to_string(100 + key)) +
               Element("size", std::to_string(10 + key)) + Element("scale", "2") + "</docStoreKey>";
    }
    xml += "</docStoreKeys><documentTypes>";
    for (int type = 0; type < kDocTypes; ++type) {
        xml += "<documentType>" + Element("name", "Type" + std::to_string(type)) +
               Element("description", "Document type " + std::to_string(type)) +
               Element("rootFolder", "/root/" + std::to_string(type)) +
               Element("id", std::to_string(type)) + Element("autoName", "YES") + "</documentType>";
    }
    xml += "</documentTypes><documentTypeKeys>";
    for (int link = 0; link < kLinks; ++link) {
        xml += "<documentTypeKey>" + Element("docTypeID", std::to_string(link % kDocTypes)) +
               Element("keyTableID", std::to_string(100 + link % kKeys)) +
               Element("sortIndex", std::to_string(link / kDocTypes)) +
               Element("keyRequired", link % 3 == 0 ? "1" : "0") + Element("keyUnique", "0") +
               "</documentTypeKey>";
    }
    return xml + "</documentTypeKeys></store></docStore></ZARN>";
}

// The details path of a store, as it goes on the wire or, decoded, as the server reads it.
std::string DetailsPath(int store, bool encoded) {
    std::string name = StoreName(store);
    if (encoded)
        name = ToUtf8(UrlEncode(FromUtf8(name)));
    return "/docStore/store/" + name + "/docTypeKey/";
}

// Serves the catalogue from memory on 127.0.0.1. Replies go out without Nagle's delay, so that
// neither client waits for delayed acknowledgements: the server is never what is measured.
class CatalogueServer {
  public:
    explicit CatalogueServer(std::map<std::string, std::string> replies)
        : replies_(std::move(replies)) {
        server_.set_tcp_nodelay(true);
        server_.set_keep_alive_max_count(1000000);
        server_.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
            auto found = replies_.find(request.path);
            if (found == replies_.end()) {
                response.status = 404;
                return;
            }
            response.set_content(found->second, "text/xml");
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        // Bound and listening already: connections wait in the backlog until the loop runs.
        thread_ = std::thread([this] { server_.listen_after_bind(); });
    }
    ~CatalogueServer() {
        server_.stop();
        thread_.join();
    }

    std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_); }

  private:
    std::map<std::string, std::string> replies_;
    httplib::Server server_;
    std::thread thread_;
    int port_ = 0;
};

struct LoadTimes {
    double whole = 0;
    double http = 0;
    double xml = 0;
    double Model() const { return whole - http - xml; }
};

LoadTimes LoadOnce(const std::u16string& serverURL, HttpRequestFactory& curl) {
    TimedRequestFactory http(curl);
    ConsoleUserInterface ui;
    Services services{PlatformFileSystem(), http, PlatformXmlDocumentFactory(), PlatformTexts(),
                      ui};
    CDocStoreManager manager(services);
    manager.SetServerURL(serverURL);
    Clock::time_point start = Clock::now();
    bool loaded = manager.LoadCatalogue();
    LoadTimes times{Seconds(Clock::now() - start), Seconds(http.times.waited),
                    Seconds(http.times.parsed)};
    std::size_t links = 0;
    for (const DocStore& store : manager.Stores())
        links += store.links.size();
    if (!loaded || manager.Stores().size() != kStores || links != kStores * kLinks ||
        ui.MessagesShown() != 0) {
        std::fprintf(stderr, "load incomplete: %zu stores, %zu links, %zu messages\n",
                     manager.Stores().size(), links, ui.MessagesShown());
        std::exit(1);
    }
    return times;
}

// One curl command that fetches every URL in turn over one connection; negative when it failed.
double CurlOnce(const std::filesystem::path& config, const std::filesystem::path& folder) {
    const ChildRun run =
        RunChild({"curl", "--silent", "--show-error", "--fail", "-K", config.string()}, "/dev/null",
                 (folder / "curl.err").string());
    return run.exitCode == 0 ? run.seconds : -1;
}

// The curl config that fetches the store list and every store's details, each written to
// `replies` when given (the n-th URL's reply as "n.xml"), else dropped.
std::filesystem::path WriteCurlConfig(const std::string& base, const std::filesystem::path& folder,
                                      const std::filesystem::path& replies = {}) {
    std::filesystem::path path = folder / (replies.empty() ? "fetch.curl" : "keep.curl");
    std::ofstream config(path);
    for (int url = 0; url <= kStores; ++url) {
        const std::string output =
            replies.empty() ? "/dev/null" : (replies / (std::to_string(url) + ".xml")).string();
        config << "url = \"" << base
               << (url == 0 ? std::string("/docStore/store/") : DetailsPath(url - 1, true))
               << "\"\noutput = \"" << output << "\"\n";
    }
    return path;
}

// One libxml2 DOM parse of each reply that curl kept, timed apart from reading the files.
double ParseReplies(const std::filesystem::path& replies) {
    std::vector<std::string> bytes;
    for (int url = 0; url <= kStores; ++url) {
        std::ifstream in(replies / (std::to_string(url) + ".xml"), std::ios::binary);
        bytes.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    Clock::time_point start = Clock::now();
    for (const std::string& reply : bytes) {
        xmlDocPtr document = xmlReadMemory(reply.data(), static_cast<int>(reply.size()), nullptr,
                                           nullptr, XML_PARSE_NONET | XML_PARSE_COMPACT);
        if (document == nullptr) {
            std::fprintf(stderr, "a reply kept by curl is not XML\n");
            std::exit(1);
        }
        xmlFreeDoc(document);
    }
    return Seconds(Clock::now() - start);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int Run() {
    std::map<std::string, std::string> replies{{"/docStore/store/", StoreList()}};
    std::size_t bytes = 0;
    for (int store = 0; store < kStores; ++store) {
        std::string details = Details(store);
        bytes += details.size();
        replies[DetailsPath(store, false)] = std::move(details);
    }
    CatalogueServer server(std::move(replies));
    std::printf("catalogue: %d stores x (%d keys, %d types, %d links), %.1f MB of details\n",
                kStores, kKeys, kDocTypes, kLinks, bytes / 1048576.0);

    std::unique_ptr<HttpRequestFactory> curl = CreateCurlHttpRequestFactory(CurlHttpOptions());
    std::vector<LoadTimes> loads;
    for (int run = 0; run < kRuns; ++run)
        loads.push_back(LoadOnce(FromUtf8(server.Url()), *curl));
    std::sort(loads.begin(), loads.end(),
              [](const LoadTimes& a, const LoadTimes& b) { return a.whole < b.whole; });
    const LoadTimes& median = loads[loads.size() / 2];
    std::printf(
        "load (median of %d): whole %.3f s = waiting for HTTP %.3f s + parsing XML %.3f s "
        "+ reading the model %.3f s\n",
        kRuns, median.whole, median.http, median.xml, median.Model());

    const std::filesystem::path folder = MakeScratchFolder("zarn_catalogue_bench");
    const std::filesystem::path replyFolder = folder / "replies";
    std::filesystem::create_directories(replyFolder);
    const std::filesystem::path fetch = WriteCurlConfig(server.Url(), folder);
    const std::filesystem::path keep = WriteCurlConfig(server.Url(), folder, replyFolder);
    std::vector<double> curlTimes;
    std::vector<double> keptTimes;
    std::vector<double> parseTimes;
    std::vector<double> pairTimes;
    for (int run = 0; run < kRuns; ++run) {
        const double fetched = CurlOnce(fetch, folder);
        const double kept = CurlOnce(keep, folder);
        if (fetched < 0 || kept < 0)
            break;
        curlTimes.push_back(fetched);
        keptTimes.push_back(kept);
        parseTimes.push_back(ParseReplies(replyFolder));
        pairTimes.push_back(kept + parseTimes.back());
    }
    std::filesystem::remove_all(folder);
    if (curlTimes.empty()) {
        std::printf("curl: not available, no comparison\n");
        return 0;
    }
    std::printf("curl, %d URLs over one connection (median of %zu): %.3f s\n", kStores + 1,
                curlTimes.size(), Median(curlTimes));
    std::printf(
        "the same curl keeping the replies, then a libxml2 DOM parse of each: %.3f s (curl %.3f s "
        "+ parse %.3f s, medians)\n",
        Median(pairTimes), Median(keptTimes), Median(parseTimes));
    std::printf("ratio load / curl: %.2f\n", median.whole / Median(curlTimes));
    std::printf("ratio load / (curl + DOM parse): %.2f (target at most 1.5)\n",
                median.whole / Median(pairTimes));
    return 0;
}

}  // namespace
}  // namespace zarn

int main() {
    return zarn::Run();
}
