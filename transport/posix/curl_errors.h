#pragma once

#include <curl/curl.h>

#include "common/hresult.h"

namespace zarn {

// The result code that the platform's request object would report for a failed libcurl
// transfer. `certificateResult` is the TLS library's verification result
// (CURLINFO_SSL_VERIFYRESULT).
HResult TransferFailure(CURLcode code, long certificateResult);

}  // namespace zarn
