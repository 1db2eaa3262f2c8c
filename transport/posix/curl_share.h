#pragma once

#include <curl/curl.h>

#include <mutex>
#include <vector>

namespace zarn {

// A libcurl share handle that holds the resolved names and TLS sessions of the request objects
// of one factory, locked for use from several threads. Kept connections live in the easy handles
// (libcurl cannot share a connection cache between threads safely), so it keeps a few easy
// handles that requests are done with: the next request takes the one given back last, with its
// connections still open.
class CurlShare {
  public:
    CurlShare();
    ~CurlShare();
    CurlShare(const CurlShare&) = delete;
    CurlShare& operator=(const CurlShare&) = delete;

    CURLSH* Handle() const { return handle_; }

    // An easy handle with libcurl's default options, reused where one is idle; null when
    // libcurl cannot make one.
    CURL* TakeEasy();
    // Takes back a handle that a request is done with. It is reset to the default options, so
    // that nothing of the request (URL, credentials, callbacks, authentication state, reply
    // information) reaches the next one; its open connections stay.
    void GiveBackEasy(CURL* easy);

  private:
    static void Lock(CURL*, curl_lock_data data, curl_lock_access, void* self);
    static void Unlock(CURL*, curl_lock_data data, void* self);

    CURLSH* handle_;
    std::mutex locks_[CURL_LOCK_DATA_LAST];
    std::mutex idleLock_;
    std::vector<CURL*> idle_;
};

}  // namespace zarn
