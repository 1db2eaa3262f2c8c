#pragma once

#include <curl/curl.h>

#include <mutex>

namespace zarn {

// A libcurl share handle that holds the connection cache, resolved names and TLS sessions of
// the request objects of one factory, locked for use from several threads.
class CurlShare {
  public:
    CurlShare();
    ~CurlShare();
    CurlShare(const CurlShare&) = delete;
    CurlShare& operator=(const CurlShare&) = delete;

    CURLSH* handle() const { return handle_; }

  private:
    static void Lock(CURL*, curl_lock_data data, curl_lock_access, void* self);
    static void Unlock(CURL*, curl_lock_data data, void* self);

    CURLSH* handle_;
    std::mutex locks_[CURL_LOCK_DATA_LAST];
};

}  // namespace zarn
