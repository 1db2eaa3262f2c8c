#pragma once

#include <curl/curl.h>

#include "common/hresult.h"

namespace zarn {

// The result code that the platform's request object would report for a failed libcurl
// transfer of an http or https URL. `certificateResult` is the TLS library's verification result
// (CURLINFO_SSL_VERIFYRESULT), `responseCode` the status of the last reply (0 for none).
[[nodiscard]] HResult TransferFailure(CURLcode code, long certificateResult, long responseCode);

}  // namespace zarn
