#include "tests/support/httplib_multipart.h"

#include <httplib.h>

#include <chrono>
#include <thread>

namespace zarn::test {

std::optional<std::vector<ParsedPart>> ParseWithHttplib(std::string_view body,
                                                        std::string_view contentType) {
    httplib::Server server;
    std::optional<std::vector<ParsedPart>> parts;
    server.Post("/", [&parts](const httplib::Request& request, httplib::Response&) {
        parts.emplace();
        for (const auto& [name, file] : request.files) {
            parts->push_back({name, file.filename, file.content_type, file.content});
        }
    });
    int port = server.bind_to_any_port("127.0.0.1");
    if (port <= 0)
        return std::nullopt;
    std::thread thread([&server] { server.listen_after_bind(); });
    while (!server.is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    {
        httplib::Client client("127.0.0.1", port);
        client.set_keep_alive(false);
        client.Post("/", std::string(body) + "\r\n", std::string(contentType));
    }
    server.stop();
    thread.join();
    return parts;
}

}  // namespace zarn::test
