#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "tools/docstore_server/catalogue_fixture.h"
#include "tools/docstore_server/request_deadlines.h"

namespace zarn::docstore {

struct ServerSettings {
    std::string host = "127.0.0.1";
    int port = 0;  // 0: any free port
    std::filesystem::path storeDir;
    std::string user;  // empty: no authentication asked for
    std::string password;
    RequestDeadlines deadlines;
    // Receives one line per request answered; may be empty.
    std::function<void(const std::string&)> log;
};

// The reference document-store server: it serves the catalogue below "/docStore/store/",
// accepts document posts to "/docStore/store/<store>/document/", checks them against the
// catalogue and stores the accepted ones below the store folder.
class DocStoreServer {
  public:
    DocStoreServer(Catalogue catalogue, ServerSettings settings);
    ~DocStoreServer();
    DocStoreServer(const DocStoreServer&) = delete;
    DocStoreServer& operator=(const DocStoreServer&) = delete;

    // Binds the address and serves on a thread of its own; false with an error text when the
    // address cannot be bound.
    bool Start(std::string& error);
    // Stops serving and ends open connections; returns once the serving thread has ended.
    void Stop();

    // Connections accepted since Start; a client that keeps its connection adds one.
    std::uint64_t AcceptedConnections() const;

    int port() const;
    // "http://HOST:PORT", the base that clients put before "/docStore/store/".
    std::string url() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace zarn::docstore
