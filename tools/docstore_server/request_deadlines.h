#pragma once

#include <chrono>
#include <cstddef>

namespace zarn::docstore {

// How long a client may take to send a request; a slower one is cut, so that it cannot hold a
// connection's thread for ever.
struct RequestDeadlines {
    // The request line and headers, from their first byte.
    std::chrono::milliseconds head{10000};
    // A body must bring at least `bodyBytes` in every window of `bodyWindow`: 200 bytes a
    // second is far below any real link, and the window rides out TCP's retransmission back-off
    // (1 + 2 + 4 + 8 s) after a short outage.
    std::chrono::milliseconds bodyWindow{20000};
    std::size_t bodyBytes = 4096;
};

}  // namespace zarn::docstore
