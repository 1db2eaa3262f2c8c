#include "transport/posix/curl_errors.h"

namespace zarn {
namespace {

// OpenSSL's verification results for a certificate outside its dates or for another name.
constexpr long kCertificateNotYetValid = 9;
constexpr long kCertificateExpired = 10;
constexpr long kHostNameMismatch = 62;

HResult CertificateFailure(long certificateResult) {
    switch (certificateResult) {
        case kCertificateNotYetValid:
        case kCertificateExpired:
            return kInternetCertDateInvalid;
        // libcurl checks the name itself after a chain that verified.
        case 0:
        case kHostNameMismatch:
            return kInternetCertNameInvalid;
        default:
            return kInternetInvalidCa;
    }
}

}  // namespace

HResult TransferFailure(CURLcode code, long certificateResult, long responseCode) {
    switch (code) {
        case CURLE_COULDNT_RESOLVE_PROXY:
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_CONNECT:
            return kResourceNotFound;
        case CURLE_OPERATION_TIMEDOUT:
            return kInternetTimeout;
        case CURLE_URL_MALFORMAT:
            return kInternetInvalidUrl;
        // The URL itself was http or https: either a redirect led to another scheme, or the
        // reply had no status line (libcurl takes it for HTTP/0.9, which it refuses).
        case CURLE_UNSUPPORTED_PROTOCOL:
            return responseCode >= 300 && responseCode < 400 ? kInternetRedirectFailed
                                                             : kInternetInvalidServerResponse;
        case CURLE_TOO_MANY_REDIRECTS:
            return kInternetRedirectFailed;
        case CURLE_PEER_FAILED_VERIFICATION:
            return CertificateFailure(certificateResult);
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_SSL_CERTPROBLEM:
        case CURLE_SSL_CIPHER:
        case CURLE_SSL_CACERT_BADFILE:
        case CURLE_SSL_ISSUER_ERROR:
        case CURLE_SSL_CRL_BADFILE:
            return kInternetSecurityError;
        case CURLE_GOT_NOTHING:
        case CURLE_PARTIAL_FILE:
            return kInternetConnectionAborted;
        case CURLE_SEND_ERROR:
        case CURLE_RECV_ERROR:
            return kInternetConnectionReset;
        case CURLE_WEIRD_SERVER_REPLY:
        case CURLE_BAD_CONTENT_ENCODING:
        case CURLE_HTTP2:
        case CURLE_HTTP2_STREAM:
            return kInternetInvalidServerResponse;
        case CURLE_OUT_OF_MEMORY:
            return kOutOfMemory;
        default:
            return kFail;
    }
}

}  // namespace zarn
