#include "tools/loopback/loopback_socket.h"

namespace zarn::net {
namespace {

constexpr int kPollMilliseconds = 20;

}  // namespace

bool WaitUntilReady(Socket socket, bool forWriting, const std::atomic<bool>& stop) {
    while (!stop) {
        const int ready = Poll(socket, forWriting, kPollMilliseconds);
        if (ready != 0)
            return ready > 0;
    }
    return false;
}

bool SendAll(Socket socket, std::string_view bytes, const std::atomic<bool>& stop) {
    while (!bytes.empty()) {
        if (!WaitUntilReady(socket, true, stop))
            return false;
        const long sent = Send(socket, bytes.data(), bytes.size());
        if (sent <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

}  // namespace zarn::net
