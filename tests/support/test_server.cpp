#include "tests/support/test_server.h"

#include <strings.h>
#include <chrono>
#include <stdexcept>

namespace zarn::test {
namespace {

constexpr char kSetAsideContentType[] = "X-Test-Server-Content-Type";

std::string Base64(std::string_view bytes) {
    static constexpr char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        std::uint32_t group = static_cast<std::uint8_t>(bytes[i]) << 16;
        if (i + 1 < bytes.size())
            group |= static_cast<std::uint8_t>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size())
            group |= static_cast<std::uint8_t>(bytes[i + 2]);
        out += kDigits[(group >> 18) & 63];
        out += kDigits[(group >> 12) & 63];
        out += i + 1 < bytes.size() ? kDigits[(group >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? kDigits[group & 63] : '=';
    }
    return out;
}

RecordedRequest StartRecord(const httplib::Request& request) {
    RecordedRequest record;
    record.method = request.method;
    record.target = request.target;
    bool setAside = request.has_header(kSetAsideContentType);
    for (const auto& [name, value] : request.headers) {
        // cpp-httplib adds these itself; they did not come from the client.
        if (name == "REMOTE_ADDR" || name == "REMOTE_PORT" || name == "LOCAL_ADDR" ||
            name == "LOCAL_PORT" || name == kSetAsideContentType) {
            continue;
        }
        if (setAside && ::strcasecmp(name.c_str(), "Content-Type") == 0) {
            record.headers.emplace_back(name, request.get_header_value(kSetAsideContentType));
        } else {
            record.headers.emplace_back(name, value);
        }
    }
    return record;
}

}  // namespace

std::optional<std::string> RecordedRequest::Header(std::string_view name) const {
    for (const auto& [key, value] : headers) {
        if (key.size() == name.size() && ::strncasecmp(key.data(), name.data(), name.size()) == 0) {
            return value;
        }
    }
    return std::nullopt;
}

std::optional<std::vector<ParsedPart>> RecordedRequest::Parts() const {
    return ParseWithHttplib(body, Header("Content-Type").value_or(""));
}

TestServer::TestServer() : TestServer(Options{}) {}

TestServer::TestServer(Options options) {
    defaultReply_ = Reply{404, "text/plain", "Not Found", {}};
    // Clients keep their connections between requests; a short keep-alive wait lets the
    // server stop quickly while one is still open.
    server_.set_keep_alive_max_count(1000000);
    server_.set_keep_alive_timeout(1);

    server_.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
        Handle(request, response, StartRecord(request));
    });
    // Bodies are read as they come, so that what is recorded is the bytes the client sent.
    // cpp-httplib would run every multipart body through its own parser first, so the content
    // type is set aside until the handler records it. The request object is cpp-httplib's own
    // non-const one, handed to this hook as const.
    server_.set_pre_routing_handler([](const httplib::Request& seen, httplib::Response&) {
        if (seen.is_multipart_form_data()) {
            auto& request = const_cast<httplib::Request&>(seen);
            std::string type = request.get_header_value("Content-Type");
            request.headers.erase("Content-Type");
            request.headers.emplace("Content-Type", "application/octet-stream");
            request.headers.emplace(kSetAsideContentType, type);
        }
        return httplib::Server::HandlerResponse::Unhandled;
    });
    server_.Post(".*", [this, discard = options.discardBodies](
                           const httplib::Request& request, httplib::Response& response,
                           const httplib::ContentReader& reader) {
        RecordedRequest record = StartRecord(request);
        reader([&record, discard](const char* data, std::size_t length) {
            if (!discard)
                record.body.append(data, length);
            record.bodyLength += length;
            return true;
        });
        Handle(request, response, std::move(record));
    });

    port_ = server_.bind_to_any_port("127.0.0.1");
    if (port_ <= 0)
        throw std::runtime_error("test server: cannot bind 127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    // stop() does nothing before the accept loop runs, so wait for it.
    while (!server_.is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TestServer::~TestServer() {
    server_.stop();
    thread_.join();
}

std::u16string TestServer::Url(std::string_view path) const {
    std::string url = "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
    return std::u16string(url.begin(), url.end());
}

void TestServer::SetReply(const std::string& path, Reply reply) {
    std::lock_guard lock(mutex_);
    replies_[path] = std::move(reply);
}

void TestServer::SetDefaultReply(Reply reply) {
    std::lock_guard lock(mutex_);
    defaultReply_ = std::move(reply);
}

void TestServer::RequireBasicAuth(std::string user, std::string password) {
    std::lock_guard lock(mutex_);
    expectedAuthorization_ = "Basic " + Base64(user + ":" + password);
}

std::vector<RecordedRequest> TestServer::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

std::size_t TestServer::RequestCount() const {
    std::lock_guard lock(mutex_);
    return requests_.size();
}

bool TestServer::Authorised(const httplib::Request& request) const {
    return !expectedAuthorization_ ||
           (request.has_header("Authorization") &&
            request.get_header_value("Authorization") == *expectedAuthorization_);
}

void TestServer::Handle(const httplib::Request& request, httplib::Response& response,
                        RecordedRequest record) {
    std::lock_guard lock(mutex_);
    requests_.push_back(std::move(record));
    Reply reply;
    if (!Authorised(request)) {
        reply = Reply{
            401, "text/plain", "Unauthorized", {{"WWW-Authenticate", "Basic realm=\"docStore\""}}};
    } else {
        std::string path = request.target.substr(0, request.target.find('?'));
        auto found = replies_.find(path);
        reply = found != replies_.end() ? found->second : defaultReply_;
    }
    response.status = reply.status;
    for (const auto& [name, value] : reply.headers)
        response.set_header(name, value);
    response.set_content(reply.body, reply.contentType);
}

}  // namespace zarn::test
