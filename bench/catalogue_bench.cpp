// Loads a catalogue of 500 stores (40 keys, 20 document types and 200 links each) from a
// server on loopback, and compares the time with one curl command fetching the same 501 URLs
// over one connection.

#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "catalogue/doc_store_manager.h"
#include "common/file_system.h"
#include "common/text.h"
#include "common/texts.h"
#include "common/user_interface.h"
#include "transport/posix/http_request_curl.h"
#include "transport/url_encode.h"

namespace zarn {
namespace {

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

class CountingUserInterface : public UserInterface {
  public:
    MessageBoxAnswer ShowMessageBox(const std::u16string& text, const std::u16string&,
                                    MessageBoxKind) override {
        if (messages++ == 0)
            std::fprintf(stderr, "message: %s\n", ToUtf8(text).c_str());
        return MessageBoxAnswer::kOk;
    }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void Beep() override {}

    int messages = 0;
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
    CountingUserInterface ui;
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
        ui.messages != 0) {
        std::fprintf(stderr, "load incomplete: %zu stores, %zu links, %d messages\n",
                     manager.Stores().size(), links, ui.messages);
        std::exit(1);
    }
    return times;
}

// One curl command that fetches every URL in turn over one connection; negative when curl
// cannot be run.
double CurlOnce(const std::string& configPath) {
    std::string command = "curl --silent --show-error --fail -K '" + configPath + "'";
    Clock::time_point start = Clock::now();
    int status = std::system(command.c_str());
    double seconds = Seconds(Clock::now() - start);
    return status == 0 ? seconds : -1;
}

std::string WriteCurlConfig(const std::string& base) {
    std::string path = "/tmp/zarn_catalogue_bench.curl";
    std::ofstream config(path);
    config << "url = \"" << base << "/docStore/store/\"\noutput = \"/dev/null\"\n";
    for (int store = 0; store < kStores; ++store) {
        config << "url = \"" << base << DetailsPath(store, true) << "\"\noutput = \"/dev/null\"\n";
    }
    return path;
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

    std::string configPath = WriteCurlConfig(server.Url());
    std::vector<double> curlTimes;
    for (int run = 0; run < kRuns; ++run) {
        double seconds = CurlOnce(configPath);
        if (seconds < 0)
            break;
        curlTimes.push_back(seconds);
    }
    std::remove(configPath.c_str());
    if (curlTimes.empty()) {
        std::printf("curl: not available, no comparison\n");
        return 0;
    }
    double ratio = median.whole / Median(curlTimes);
    std::printf("curl, %d URLs over one connection (median of %zu): %.3f s\n", kStores + 1,
                curlTimes.size(), Median(curlTimes));
    std::printf("ratio load / curl: %.2f (target at most 1.5)\n", ratio);
    return 0;
}

}  // namespace
}  // namespace zarn

int main() {
    return zarn::Run();
}
