#include "transport/posix/curl_share.h"

namespace zarn {

CurlShare::CurlShare() {
    static const CURLcode initialised = curl_global_init(CURL_GLOBAL_DEFAULT);
    handle_ = initialised == CURLE_OK ? curl_share_init() : nullptr;
    if (handle_ == nullptr)
        return;
    curl_share_setopt(handle_, CURLSHOPT_LOCKFUNC, &CurlShare::Lock);
    curl_share_setopt(handle_, CURLSHOPT_UNLOCKFUNC, &CurlShare::Unlock);
    curl_share_setopt(handle_, CURLSHOPT_USERDATA, this);
    curl_share_setopt(handle_, CURLSHOPT_SHARE, CURL_LOCK_DATA_CONNECT);
    curl_share_setopt(handle_, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
    curl_share_setopt(handle_, CURLSHOPT_SHARE, CURL_LOCK_DATA_SSL_SESSION);
}

CurlShare::~CurlShare() {
    if (handle_ != nullptr)
        curl_share_cleanup(handle_);
}

void CurlShare::Lock(CURL*, curl_lock_data data, curl_lock_access, void* self) {
    static_cast<CurlShare*>(self)->locks_[data].lock();
}

void CurlShare::Unlock(CURL*, curl_lock_data data, void* self) {
    static_cast<CurlShare*>(self)->locks_[data].unlock();
}

}  // namespace zarn
