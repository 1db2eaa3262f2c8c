// The request object on libcurl, one easy handle per request object. It puts on the wire what
// the platform's request object does: the caller's headers in the order they were set, plus
// Host, User-Agent and Accept; no "Expect: 100-continue" and no content type of its own.

#include "transport/posix/http_request_curl.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstring>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "common/utf16_text.h"
#include "transport/posix/curl_errors.h"
#include "transport/posix/curl_share.h"
#include "transport/posix/libxml2_document.h"
#include "transport/wire_url.h"

namespace zarn {
namespace {

constexpr char kUserAgent[] = "Mozilla/4.0 (compatible; zarnRel)";
constexpr long kMaxRedirects = 10;
constexpr long kUploadBufferSize = 512 * 1024;

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool IsToken(std::string_view text) {
    static constexpr std::string_view kMarks = "!#$%&'*+-.^_`|~";
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || kMarks.find(c) != kMarks.npos;
    });
}

class CurlHttpRequest final : public HttpRequest {
  public:
    CurlHttpRequest(std::shared_ptr<CurlShare> share, const CurlHttpOptions& options, CURL* easy)
        : share_(std::move(share)), options_(options), easy_(easy) {}
    ~CurlHttpRequest() override { share_->GiveBackEasy(easy_); }
    CurlHttpRequest(const CurlHttpRequest&) = delete;
    CurlHttpRequest& operator=(const CurlHttpRequest&) = delete;

    HResult Open(std::u16string_view method, std::u16string_view url, bool asynchronous,
                 std::u16string_view user, std::u16string_view password) override;
    HResult SetRequestHeader(std::u16string_view name, std::u16string_view value) override;
    HResult Send(const ByteStream* body, std::uint64_t length) override;
    HResult GetStatus(std::int32_t& status) override;
    HResult GetStatusText(std::u16string& text) override;
    HResult GetResponseText(std::u16string& text) override;
    HResult GetResponseXml(std::unique_ptr<XmlDocument>& document) override;

  private:
    enum class State { kNew, kOpened, kDone, kFailed };

    static std::size_t ReadBody(char* buffer, std::size_t size, std::size_t count, void* self);
    static int SeekBody(void* self, curl_off_t offset, int origin);
    static std::size_t WriteReply(char* data, std::size_t size, std::size_t count, void* self);
    static std::size_t ReadHeader(char* data, std::size_t size, std::size_t count, void* self);
    static int Connected(void* self, char*, char*, int, int);
    static int Progress(void* self, curl_off_t, curl_off_t received, curl_off_t, curl_off_t sent);

    // Everything but the body; a Content-Length header is left to libcurl, which writes the
    // same value after the caller's headers and drops it where the body goes (a redirect
    // answered with GET, an authentication probe).
    HResult Configure(curl_slist*& headers, const ByteStream* body, std::uint64_t length);
    HResult Perform();

    std::shared_ptr<CurlShare> share_;
    CurlHttpOptions options_;
    CURL* easy_;

    State state_ = State::kNew;
    bool post_ = false;
    std::string url_;
    std::string user_;
    std::string password_;
    std::vector<std::pair<std::string, std::string>> headers_;

    const ByteStream* body_ = nullptr;
    std::uint64_t bodyLength_ = 0;
    std::uint64_t bodyOffset_ = 0;

    std::string statusLine_;
    bool headersComplete_ = false;
    bool replyTooLarge_ = false;
    std::string reply_;

    // Idle and slow time count from the moment a connection is ready; the connect timeout
    // covers the time before.
    bool connected_ = false;
    bool timedOut_ = false;
    curl_off_t received_ = 0;
    curl_off_t sent_ = 0;
    std::chrono::steady_clock::time_point lastProgress_;
    // The start of the current window and the bytes moved before it.
    std::chrono::steady_clock::time_point windowStart_;
    curl_off_t windowStartBytes_ = 0;
};

HResult CurlHttpRequest::Open(std::u16string_view method, std::u16string_view url,
                              bool asynchronous, std::u16string_view user,
                              std::u16string_view password) {
    if (asynchronous)
        return kNotImplemented;
    if (EqualsIgnoringCase(ToUtf8(method), "POST")) {
        post_ = true;
    } else if (EqualsIgnoringCase(ToUtf8(method), "GET")) {
        post_ = false;
    } else {
        return kNotImplemented;
    }
    std::string wire = WireUrl(url);
    // libcurl takes the URL as a C string: a zero would cut it short, host included.
    if (wire.find('\0') != std::string::npos)
        return kInternetInvalidUrl;
    CURLU* parsed = curl_url();
    if (parsed == nullptr)
        return kOutOfMemory;
    char* scheme = nullptr;
    CURLUcode parsedCode = curl_url_set(parsed, CURLUPART_URL, wire.c_str(), 0);
    if (parsedCode == CURLUE_OK)
        parsedCode = curl_url_get(parsed, CURLUPART_SCHEME, &scheme, 0);
    bool web = scheme != nullptr &&
               (std::strcmp(scheme, "http") == 0 || std::strcmp(scheme, "https") == 0);
    curl_free(scheme);
    curl_url_cleanup(parsed);
    if (parsedCode != CURLUE_OK)
        return kInternetInvalidUrl;
    if (!web)
        return kInternetUnrecognizedScheme;

    url_ = std::move(wire);
    user_ = ToUtf8(user);
    password_ = ToUtf8(password);
    headers_.clear();
    state_ = State::kOpened;
    return kOk;
}

HResult CurlHttpRequest::SetRequestHeader(std::u16string_view name, std::u16string_view value) {
    if (state_ != State::kOpened)
        return kUnexpected;
    std::string header = ToUtf8(name);
    std::string text = ToUtf8(value);
    if (!IsToken(header) || text.find_first_of(std::string_view("\r\n\0", 3)) != text.npos) {
        return kInvalidArg;
    }
    headers_.emplace_back(std::move(header), std::move(text));
    return kOk;
}

HResult CurlHttpRequest::Configure(curl_slist*& headers, const ByteStream* body,
                                   std::uint64_t length) {
    bool contentType = false;
    for (const auto& [name, value] : headers_) {
        if (EqualsIgnoringCase(name, "Content-Length")) {
            // The announced length must be the length sent, or the connection breaks.
            if (!post_ || value != std::to_string(length))
                return kInvalidArg;
            continue;
        }
        contentType = contentType || EqualsIgnoringCase(name, "Content-Type");
        // "Name;" is libcurl's way of sending a header with an empty value.
        std::string line = value.empty() ? name + ";" : name + ": " + value;
        curl_slist* grown = curl_slist_append(headers, line.c_str());
        if (grown == nullptr)
            return kOutOfMemory;
        headers = grown;
    }
    // An empty "Name:" removes what libcurl would add of its own.
    for (const char* removed : {"Expect:", contentType ? nullptr : "Content-Type:"}) {
        if (removed == nullptr)
            continue;
        curl_slist* grown = curl_slist_append(headers, removed);
        if (grown == nullptr)
            return kOutOfMemory;
        headers = grown;
    }

    curl_easy_setopt(easy_, CURLOPT_URL, url_.c_str());
    curl_easy_setopt(easy_, CURLOPT_SHARE, share_->Handle());
    curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy_, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy_, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy_, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(easy_, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy_, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(easy_, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(easy_, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(easy_, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(options_.connectTimeout.count()));
    curl_easy_setopt(easy_, CURLOPT_TIMEOUT_MS, static_cast<long>(options_.timeout.count()));
    curl_easy_setopt(easy_, CURLOPT_PREREQFUNCTION, &CurlHttpRequest::Connected);
    curl_easy_setopt(easy_, CURLOPT_PREREQDATA, this);
    curl_easy_setopt(easy_, CURLOPT_XFERINFOFUNCTION, &CurlHttpRequest::Progress);
    curl_easy_setopt(easy_, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(easy_, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(easy_, CURLOPT_HEADERFUNCTION, &CurlHttpRequest::ReadHeader);
    curl_easy_setopt(easy_, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, &CurlHttpRequest::WriteReply);
    curl_easy_setopt(easy_, CURLOPT_WRITEDATA, this);
    // An empty user name sends no credentials. libcurl gives them only to the host of the URL,
    // never to another host that a redirect leads to.
    if (!user_.empty()) {
        curl_easy_setopt(easy_, CURLOPT_HTTPAUTH, CURLAUTH_ANY);
        curl_easy_setopt(easy_, CURLOPT_USERNAME, user_.c_str());
        curl_easy_setopt(easy_, CURLOPT_PASSWORD, password_.c_str());
    }
    if (post_) {
        // The body streams from where it is held; nothing copies it whole.
        body_ = body;
        bodyLength_ = body != nullptr ? length : 0;
        curl_easy_setopt(easy_, CURLOPT_POST, 1L);
        curl_easy_setopt(easy_, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(bodyLength_));
        curl_easy_setopt(easy_, CURLOPT_READFUNCTION, &CurlHttpRequest::ReadBody);
        curl_easy_setopt(easy_, CURLOPT_READDATA, this);
        curl_easy_setopt(easy_, CURLOPT_SEEKFUNCTION, &CurlHttpRequest::SeekBody);
        curl_easy_setopt(easy_, CURLOPT_SEEKDATA, this);
        curl_easy_setopt(easy_, CURLOPT_UPLOAD_BUFFERSIZE, kUploadBufferSize);
    } else {
        curl_easy_setopt(easy_, CURLOPT_HTTPGET, 1L);
    }
    return kOk;
}

HResult CurlHttpRequest::Send(const ByteStream* body, std::uint64_t length) {
    if (state_ != State::kOpened)
        return kUnexpected;
    if (body != nullptr && length > body->Size())
        return kInvalidArg;
    curl_slist* headers = nullptr;
    HResult result = Configure(headers, body, length);
    if (Succeeded(result))
        result = Perform();
    curl_easy_setopt(easy_, CURLOPT_HTTPHEADER, nullptr);
    curl_slist_free_all(headers);
    state_ = Succeeded(result) ? State::kDone : State::kFailed;
    return result;
}

HResult CurlHttpRequest::Perform() {
    CURLcode code = curl_easy_perform(easy_);
    if (replyTooLarge_)
        return kReplyTooLarge;
    if (timedOut_)
        return kInternetTimeout;
    if (code != CURLE_OK) {
        long certificateResult = 0;
        long responseCode = 0;
        curl_easy_getinfo(easy_, CURLINFO_SSL_VERIFYRESULT, &certificateResult);
        curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &responseCode);
        return TransferFailure(code, certificateResult, responseCode);
    }
    // A connection cut inside the reply's headers is not a reply.
    if (!headersComplete_)
        return kInternetConnectionAborted;
    return kOk;
}

std::size_t CurlHttpRequest::ReadBody(char* buffer, std::size_t size, std::size_t count,
                                      void* self) {
    auto* request = static_cast<CurlHttpRequest*>(self);
    std::uint64_t left = request->bodyLength_ - request->bodyOffset_;
    std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(left, size * count));
    if (wanted == 0)
        return 0;
    std::size_t copied = request->body_->Read(request->bodyOffset_, buffer, wanted);
    if (copied == 0)
        return CURL_READFUNC_ABORT;
    request->bodyOffset_ += copied;
    return copied;
}

int CurlHttpRequest::Connected(void* self, char*, char*, int, int) {
    auto* request = static_cast<CurlHttpRequest*>(self);
    // Called again for each connection that a redirect or challenge opens; the windows start
    // with the first.
    if (!request->connected_) {
        request->connected_ = true;
        request->lastProgress_ = request->windowStart_ = std::chrono::steady_clock::now();
        request->windowStartBytes_ = request->received_ + request->sent_;
    }
    return CURL_PREREQFUNC_OK;
}

int CurlHttpRequest::Progress(void* self, curl_off_t, curl_off_t received, curl_off_t,
                              curl_off_t sent) {
    auto* request = static_cast<CurlHttpRequest*>(self);
    if (!request->connected_)
        return 0;
    auto now = std::chrono::steady_clock::now();
    if (received != request->received_ || sent != request->sent_) {
        request->received_ = received;
        request->sent_ = sent;
        request->lastProgress_ = now;
    }
    const CurlHttpOptions& options = request->options_;
    curl_off_t moved = received + sent;
    if (static_cast<std::uint64_t>(moved - request->windowStartBytes_) >= options.slowBytes) {
        request->windowStart_ = now;
        request->windowStartBytes_ = moved;
    }
    if (now - request->lastProgress_ >= options.idleTimeout ||
        now - request->windowStart_ >= options.slowWindow) {
        request->timedOut_ = true;
    }
    return request->timedOut_ ? 1 : 0;
}

// libcurl rewinds the body to send it again: after an authentication challenge, or for a
// redirect that keeps the method.
int CurlHttpRequest::SeekBody(void* self, curl_off_t offset, int origin) {
    auto* request = static_cast<CurlHttpRequest*>(self);
    if (origin != SEEK_SET || offset < 0 ||
        static_cast<std::uint64_t>(offset) > request->bodyLength_) {
        return CURL_SEEKFUNC_CANTSEEK;
    }
    request->bodyOffset_ = static_cast<std::uint64_t>(offset);
    return CURL_SEEKFUNC_OK;
}

std::size_t CurlHttpRequest::WriteReply(char* data, std::size_t size, std::size_t count,
                                        void* self) {
    auto* request = static_cast<CurlHttpRequest*>(self);
    std::size_t bytes = size * count;
    if (request->reply_.size() + bytes > request->options_.maxReplyBytes) {
        request->replyTooLarge_ = true;
        return CURL_WRITEFUNC_ERROR;
    }
    // No exception may cross libcurl's C frames: memory running out ends the transfer instead.
    try {
        request->reply_.append(data, bytes);
    } catch (const std::bad_alloc&) {
        request->replyTooLarge_ = true;
        return CURL_WRITEFUNC_ERROR;
    }
    return bytes;
}

// Called for every header line of every reply on the way (challenges, redirects, interim
// replies); the last status line is the one that counts.
std::size_t CurlHttpRequest::ReadHeader(char* data, std::size_t size, std::size_t count,
                                        void* self) {
    auto* request = static_cast<CurlHttpRequest*>(self);
    std::string_view line(data, size * count);
    if (line.substr(0, 5) == "HTTP/") {
        try {
            request->statusLine_ = std::string(line);
        } catch (const std::bad_alloc&) {
            return 0;  // ends the transfer
        }
        request->headersComplete_ = false;
        // A redirect or a challenge carries a body of its own; only the last reply's counts.
        request->reply_.clear();
    } else if (line == "\r\n" || line == "\n") {
        request->headersComplete_ = true;
    }
    return size * count;
}

HResult CurlHttpRequest::GetStatus(std::int32_t& status) {
    if (state_ != State::kDone)
        return kUnexpected;
    long code = 0;
    if (curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &code) != CURLE_OK)
        return kFail;
    status = static_cast<std::int32_t>(code);
    return kOk;
}

HResult CurlHttpRequest::GetStatusText(std::u16string& text) {
    if (state_ != State::kDone)
        return kUnexpected;
    // "HTTP/1.1 404 Not Found": the reason phrase follows the second blank.
    std::string_view line = statusLine_;
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.remove_suffix(1);
    std::size_t first = line.find(' ');
    std::size_t second = first == line.npos ? line.npos : line.find(' ', first + 1);
    text = second == line.npos ? std::u16string() : FromUtf8(line.substr(second + 1));
    return kOk;
}

HResult CurlHttpRequest::GetResponseText(std::u16string& text) {
    if (state_ != State::kDone)
        return kUnexpected;
    std::string_view bytes = reply_;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    text = FromUtf8(bytes);
    return kOk;
}

HResult CurlHttpRequest::GetResponseXml(std::unique_ptr<XmlDocument>& document) {
    if (state_ != State::kDone)
        return kUnexpected;
    document = ParseXmlBytes(reply_);
    return kOk;
}

class CurlHttpRequestFactory final : public HttpRequestFactory {
  public:
    explicit CurlHttpRequestFactory(const CurlHttpOptions& options)
        : share_(std::make_shared<CurlShare>()), options_(options) {}

    HResult Create(std::unique_ptr<HttpRequest>& request) override {
        if (share_->Handle() == nullptr)
            return kFail;
        CURL* easy = share_->TakeEasy();
        if (easy == nullptr)
            return kOutOfMemory;
        request = std::make_unique<CurlHttpRequest>(share_, options_, easy);
        return kOk;
    }

  private:
    std::shared_ptr<CurlShare> share_;
    CurlHttpOptions options_;
};

}  // namespace

std::unique_ptr<HttpRequestFactory> CreateCurlHttpRequestFactory(const CurlHttpOptions& options) {
    return std::make_unique<CurlHttpRequestFactory>(options);
}

std::unique_ptr<HttpRequestFactory> CreatePlatformHttpRequestFactory(const TransferLimits& limits) {
    CurlHttpOptions options;
    if (limits.connectTimeout.count() > 0)
        options.connectTimeout = limits.connectTimeout;
    options.timeout = limits.timeout;
    return CreateCurlHttpRequestFactory(options);
}

HttpRequestFactory& PlatformHttpRequestFactory() {
    static const std::unique_ptr<HttpRequestFactory> factory =
        CreateCurlHttpRequestFactory(CurlHttpOptions{});
    return *factory;
}

}  // namespace zarn
