#include "transport/posix/curl_share.h"

namespace zarn {
namespace {

// Requests follow one another; a few handles cover the threads that may use one factory.
constexpr std::size_t kMaxIdleHandles = 4;

}  // namespace

CurlShare::CurlShare() {
    // Giving a handle back never allocates, so it cannot fail half way.
    idle_.reserve(kMaxIdleHandles);
    static const CURLcode initialised = curl_global_init(CURL_GLOBAL_DEFAULT);
    handle_ = initialised == CURLE_OK ? curl_share_init() : nullptr;
    if (handle_ == nullptr)
        return;
    curl_share_setopt(handle_, CURLSHOPT_LOCKFUNC, &CurlShare::Lock);
    curl_share_setopt(handle_, CURLSHOPT_UNLOCKFUNC, &CurlShare::Unlock);
    curl_share_setopt(handle_, CURLSHOPT_USERDATA, this);
    curl_share_setopt(handle_, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
    curl_share_setopt(handle_, CURLSHOPT_SHARE, CURL_LOCK_DATA_SSL_SESSION);
}

CurlShare::~CurlShare() {
    // The handles still hold the share; it is released only once they are gone.
    for (CURL* easy : idle_)
        curl_easy_cleanup(easy);
    if (handle_ != nullptr)
        curl_share_cleanup(handle_);
}

CURL* CurlShare::TakeEasy() {
    {
        std::lock_guard<std::mutex> lock(idleLock_);
        if (!idle_.empty()) {
            CURL* easy = idle_.back();
            idle_.pop_back();
            return easy;
        }
    }
    return curl_easy_init();
}

void CurlShare::GiveBackEasy(CURL* easy) {
    curl_easy_reset(easy);
    {
        std::lock_guard<std::mutex> lock(idleLock_);
        if (idle_.size() < kMaxIdleHandles) {
            idle_.push_back(easy);
            return;
        }
    }
    curl_easy_cleanup(easy);
}

void CurlShare::Lock(CURL*, curl_lock_data data, curl_lock_access, void* self) {
    static_cast<CurlShare*>(self)->locks_[data].lock();
}

void CurlShare::Unlock(CURL*, curl_lock_data data, void* self) {
    static_cast<CurlShare*>(self)->locks_[data].unlock();
}

}  // namespace zarn
