#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include <httplib.h>

namespace zarn::docstore {

// Runs each accepted connection on a thread of its own, so that a slow or idle client holds
// only its own thread and never delays another. Threads are started as connections need them,
// up to a limit, and kept for later connections; beyond the limit a connection waits for a
// thread to come free.
class ConnectionThreads final : public httplib::TaskQueue {
  public:
    explicit ConnectionThreads(std::size_t mostThreads) : mostThreads_(mostThreads) {}
    ~ConnectionThreads() override;

    void enqueue(std::function<void()> connection) override;
    // Serves the connections still waiting, then ends every thread.
    void shutdown() override;

  private:
    void Work();

    const std::size_t mostThreads_;
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<std::function<void()>> waiting_;
    std::size_t idle_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace zarn::docstore
