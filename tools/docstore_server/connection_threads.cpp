#include "tools/docstore_server/connection_threads.h"

#include <system_error>

namespace zarn::docstore {

ConnectionThreads::~ConnectionThreads() {
    shutdown();
}

void ConnectionThreads::enqueue(std::function<void()> connection) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        waiting_.push_back(std::move(connection));
        // Every idle thread takes one waiting connection; a connection beyond them gets a new
        // thread.
        if (waiting_.size() > idle_ && threads_.size() < mostThreads_) {
            try {
                threads_.emplace_back([this] { Work(); });
            } catch (const std::system_error&) {
                // The system has no thread to spare: the connection waits for a running one.
            }
        }
    }
    arrived_.notify_one();
}

void ConnectionThreads::shutdown() {
    std::vector<std::thread> ending;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        ending.swap(threads_);
    }
    arrived_.notify_all();
    for (std::thread& thread : ending) {
        thread.join();
    }
}

void ConnectionThreads::Work() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        ++idle_;
        arrived_.wait(lock, [this] { return !waiting_.empty() || stopping_; });
        --idle_;
        if (waiting_.empty()) {
            return;
        }
        std::function<void()> connection = std::move(waiting_.front());
        waiting_.pop_front();
        lock.unlock();
        connection();
        connection = nullptr;
        lock.lock();
    }
}

}  // namespace zarn::docstore
