#include "tools/loopback/loopback_socket.h"

namespace zarn::net {

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
