#include "tools/docstore_server/docstore_server.h"

#include <sys/socket.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <map>
#include <mutex>
#include <thread>
#include <variant>

#include <httplib.h>

#include "tools/docstore_server/basic_credentials.h"
#include "tools/docstore_server/document_archive.h"
#include "tools/docstore_server/kept_connection_server.h"
#include "tools/docstore_server/multipart_parser.h"
#include "tools/docstore_server/server_replies.h"
#include "tools/text/visible_text.h"

namespace zarn::docstore {

namespace {

constexpr char kXmlContentType[] = "text/xml; charset=UTF-8";
constexpr char kContentTypeHeader[] = "Content-Type";
constexpr char kRawContentType[] = "application/octet-stream";
constexpr char kPostedContentTypeHeader[] = "X-Posted-Content-Type";
constexpr std::size_t kLargestDocument = 256u * 1024 * 1024;
// A batch is released one document after another over one kept connection.
constexpr time_t kKeepAliveSeconds = 5;
constexpr std::size_t kRequestsPerConnection = 100000;
constexpr char kStoreList[] = R"(/+docStore/store/?)";
constexpr char kStoreDetails[] = R"(/+docStore/store/([^/]+)/docTypeKey/?)";
constexpr char kDocumentPost[] = R"(/+docStore/store/([^/]+)/document/?)";

std::string LocalTime() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm parts{};
    localtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
    return text;
}

std::string DescriptionOfStatus(int status, const std::string& path) {
    switch (status) {
        case 404:
            return "Nothing is served at " + path;
        case 413:
            return "The document is larger than the server accepts";
        default:
            return "The request could not be handled";
    }
}

}  // namespace

struct DocStoreServer::Impl {
    Impl(Catalogue catalogue, ServerSettings settings)
        : catalogue(std::move(catalogue)),
          settings(std::move(settings)),
          archive(this->settings.storeDir) {}

    void Route();
    bool Authorised(const httplib::Request& request) const;
    void Reply(const httplib::Request& request, httplib::Response& response, int status,
               const std::string& description, const std::string& details = {});
    void Refuse(const httplib::Request& request, httplib::Response& response,
                const Refusal& refusal);
    static void TakeBodyRaw(httplib::Request& request);
    void ServeDocument(const httplib::Request& request, httplib::Response& response);
    void Note(const httplib::Request& request, const std::string& note);
    void Log(const httplib::Request& request, const httplib::Response& response);

    Catalogue catalogue;
    ServerSettings settings;
    DocumentArchive archive;
    KeptConnectionServer server;
    std::thread thread;
    int port = 0;

    // What each request came to, for its log line.
    std::mutex notesMutex;
    std::map<const httplib::Request*, std::string> notes;
};

void DocStoreServer::Impl::Route() {
    server.set_payload_max_length(kLargestDocument);
    server.set_keep_alive_timeout(kKeepAliveSeconds);
    server.set_keep_alive_max_count(kRequestsPerConnection);
    server.SetDeadlines(settings.deadlines);
    // The library's default also sets SO_REUSEPORT, which lets a second server share a busy
    // port and take part of its requests; a port in use must be an error instead.
    server.set_socket_options([](socket_t socket) {
        const int yes = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    server.SetHeadHandler([this](const httplib::Request& request, httplib::Response& response) {
        if (Authorised(request)) {
            TakeBodyRaw(const_cast<httplib::Request&>(request));
            return httplib::Server::HandlerResponse::Unhandled;
        }
        // The refused request's body is not read.
        if (request.get_header_value<std::uint64_t>("Content-Length") > 0 ||
            request.has_header("Transfer-Encoding")) {
            KeptConnectionServer::CloseAfterReply(request);
        }
        response.set_header("WWW-Authenticate", "Basic realm=\"zarnRel document store\"");
        Reply(request, response, 401,
              request.has_header("Authorization") ? "Wrong user name or password"
                                                  : "Authentication is required");
        return httplib::Server::HandlerResponse::Handled;
    });
    server.Get(kStoreList, [this](const httplib::Request& request, httplib::Response& response) {
        response.set_content(StoreListXml(catalogue), kXmlContentType);
        Note(request, std::to_string(catalogue.stores.size()) + " store(s)");
    });
    server.Get(kStoreDetails, [this](const httplib::Request& request, httplib::Response& response) {
        const std::string name = request.matches[1];
        const FixtureStore* store = catalogue.FindStore(name);
        if (store == nullptr) {
            Reply(request, response, 404, "Unknown document store \"" + name + "\"");
            return;
        }
        response.set_content(StoreDetailsXml(*store), kXmlContentType);
        Note(request, "store \"" + name + "\"");
    });
    server.Post(kDocumentPost,
                [this](const httplib::Request& request, httplib::Response& response) {
                    ServeDocument(request, response);
                });
    server.set_exception_handler([this](const httplib::Request& request,
                                        httplib::Response& response, std::exception_ptr thrown) {
        // The body may be unread, and the library's own reply would show the exception's text.
        KeptConnectionServer::CloseAfterReply(request);
        std::string what = "unknown exception";
        try {
            std::rethrow_exception(thrown);
        } catch (const std::exception& exception) {
            what = exception.what();
        } catch (...) {
        }
        Refuse(request, response, Refusal{500, DescriptionOfStatus(500, request.path), what});
    });
    server.set_error_handler([this](const httplib::Request& request, httplib::Response& response) {
        if (KeptConnectionServer::AnswerIfLate(request, response)) {
            Note(request, "The request did not arrive in time");
        } else if (response.body.empty()) {
            // The library refused the request itself: unless it only found nothing at the path,
            // the request could not be read whole.
            if (response.status != 404) {
                KeptConnectionServer::CloseAfterReply(request);
            }
            Reply(request, response, response.status,
                  DescriptionOfStatus(response.status, request.path));
        }
    });
    // Logged just before the reply goes out, so that lines keep the order of the requests: a
    // client sends its next request only once it has this reply.
    server.set_post_routing_handler(
        [this](const httplib::Request& request, httplib::Response& response) {
            Log(request, response);
        });
}

bool DocStoreServer::Impl::Authorised(const httplib::Request& request) const {
    if (settings.user.empty()) {
        return true;
    }
    return CarriesBasicCredentials(request.get_header_value("Authorization"), settings.user,
                                   settings.password);
}

void DocStoreServer::Impl::Reply(const httplib::Request& request, httplib::Response& response,
                                 int status, const std::string& description,
                                 const std::string& details) {
    response.status = status;
    response.set_content(StatusXml(status, description, details), kXmlContentType);
    Note(request, description);
}

void DocStoreServer::Impl::Refuse(const httplib::Request& request, httplib::Response& response,
                                  const Refusal& refusal) {
    Reply(request, response, refusal.status, refusal.description);
    if (!refusal.logDetail.empty()) {
        Note(request, refusal.description + ": " + refusal.logDetail);
    }
}

// cpp-httplib 0.11 refuses a multipart body whose closing delimiter is not followed by CR LF,
// and that is where the connector's announced length ends. So the body of a post is read as it
// came, under a content type of no meaning to the library, and split here.
void DocStoreServer::Impl::TakeBodyRaw(httplib::Request& request) {
    if (request.method != "POST" || !request.has_header(kContentTypeHeader)) {
        return;
    }
    const std::string contentType = request.get_header_value(kContentTypeHeader);
    request.headers.erase(kContentTypeHeader);
    request.headers.emplace(kContentTypeHeader, kRawContentType);
    request.headers.emplace(kPostedContentTypeHeader, contentType);
}

void DocStoreServer::Impl::ServeDocument(const httplib::Request& request,
                                         httplib::Response& response) {
    const std::string storeName = request.matches[1];
    const FixtureStore* store = catalogue.FindStore(storeName);
    if (store == nullptr) {
        Reply(request, response, 404, "Unknown document store \"" + storeName + "\"");
        return;
    }
    const std::optional<std::string> boundary =
        MultipartBoundary(request.get_header_value(kPostedContentTypeHeader));
    if (!boundary) {
        Reply(request, response, 415, "A document must be sent as multipart/form-data");
        return;
    }
    ReceivedDocument document;
    std::string error;
    if (!ParseMultipart(request.body, *boundary, document.parts, error)) {
        Reply(request, response, 400, "The multipart/form-data body cannot be read: " + error);
        return;
    }
    const std::variant<StoredDocument, Refusal> outcome = archive.Store(*store, document);
    if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
        Refuse(request, response, *refusal);
        return;
    }
    const StoredDocument& stored = std::get<StoredDocument>(outcome);
    const std::string id = stored.folder.filename().string();
    Reply(request, response, 200,
          "Document " + id + " stored (" + stored.docType + ", " + stored.fileName + ", " +
              std::to_string(stored.fileSize) + " bytes)",
          "<docStore><store><name>" + XmlText(stored.store) + "</name><document><id>" + id +
              "</id><docType>" + XmlText(stored.docType) + "</docType><fileName>" +
              XmlText(stored.fileName) + "</fileName></document></store></docStore>");
}

void DocStoreServer::Impl::Note(const httplib::Request& request, const std::string& note) {
    const std::lock_guard<std::mutex> lock(notesMutex);
    notes[&request] = note;
}

void DocStoreServer::Impl::Log(const httplib::Request& request, const httplib::Response& response) {
    std::string note;
    {
        std::lock_guard<std::mutex> lock(notesMutex);
        if (const auto found = notes.find(&request); found != notes.end()) {
            note = std::move(found->second);
            notes.erase(found);
        }
    }
    if (!settings.log) {
        return;
    }
    // What the client sent (a decoded %0A in a path, say) cannot start a log line of its own.
    settings.log(tools::VisibleText(LocalTime() + " " + request.remote_addr + " " + request.method +
                                    " " + request.path + " " + std::to_string(response.status) +
                                    (note.empty() ? "" : " " + note)));
}

DocStoreServer::DocStoreServer(Catalogue catalogue, ServerSettings settings)
    : impl_(std::make_unique<Impl>(std::move(catalogue), std::move(settings))) {
    impl_->Route();
}

DocStoreServer::~DocStoreServer() {
    Stop();
}

bool DocStoreServer::Start(std::string& error) {
    impl_->archive.RemoveUnfinishedWrites();
    errno = 0;
    const ServerSettings& settings = impl_->settings;
    impl_->port = impl_->server.Bind(settings.host, settings.port);
    if (impl_->port <= 0) {
        error = "cannot listen on " + settings.host + ":" + std::to_string(settings.port) +
                (errno != 0 ? std::string(": ") + std::strerror(errno) : std::string());
        return false;
    }
    impl_->thread = std::thread([this] { impl_->server.listen_after_bind(); });
    // A stop that came before the serving loop had started would be lost.
    for (int wait = 0; wait < 5000 && !impl_->server.is_running(); ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

void DocStoreServer::Stop() {
    if (impl_->thread.joinable()) {
        impl_->server.Shutdown();
        impl_->thread.join();
    }
}

std::uint64_t DocStoreServer::AcceptedConnections() const {
    return impl_->server.AcceptedConnections();
}

int DocStoreServer::port() const {
    return impl_->port;
}

std::string DocStoreServer::url() const {
    return "http://" + impl_->settings.host + ":" + std::to_string(impl_->port);
}

}  // namespace zarn::docstore
