#include "tools/loopback/loopback_acceptor.h"

#include <utility>

namespace zarn::net {

LoopbackAcceptor::LoopbackAcceptor(Serve serve)
    : serve_(std::move(serve)), listener_(ListenOnLoopback(port_)) {
    acceptor_ = std::thread([this] { AcceptLoop(); });
}

LoopbackAcceptor::~LoopbackAcceptor() {
    stop_ = true;
    acceptor_.join();
    for (std::thread& worker : workers_)
        worker.join();
    Close(listener_);
}

void LoopbackAcceptor::AcceptLoop() {
    for (std::size_t index = 0; WaitUntilReady(listener_, false, stop_);) {
        const Socket socket = Accept(listener_);
        if (socket == kNoSocket)
            continue;
        workers_.emplace_back([this, socket, index = index++] {
            serve_(socket, index);
            Close(socket);
        });
    }
}

}  // namespace zarn::net
