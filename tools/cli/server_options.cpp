#include "tools/cli/server_options.h"

#include <charconv>

#include "tools/cli/bundled_examples.h"
#include "tools/cli/credentials.h"

namespace zarn::tools {

namespace {

constexpr char kDefaultStoreDir[] = "docstore";
constexpr int kDefaultPort = 8080;

bool ReadPort(const std::string& text, int& port) {
    const char* end = text.data() + text.size();
    const auto [stop, failure] = std::from_chars(text.data(), end, port);
    return failure == std::errc() && stop == end && port >= 0 && port <= 65535;
}

}  // namespace

bool ReadServerOptions(const Arguments& arguments, docstore::ServerSettings& settings,
                       std::string& error) {
    settings.port = kDefaultPort;
    if (const auto port = arguments.Value("port"); port && !ReadPort(*port, settings.port)) {
        error = "--port needs a number from 0 to 65535, not \"" + *port + "\"";
        return false;
    }
    settings.host = arguments.Value("host").value_or(settings.host);
    settings.storeDir = arguments.Value("store-dir").value_or(kDefaultStoreDir);
    if (arguments.Has("password") && !arguments.Has("user")) {
        error = "--password needs --user";
        return false;
    }
    settings.user = arguments.Value("user").value_or("");
    settings.password = settings.user.empty() ? "" : PasswordOf(arguments);
    return true;
}

bool LoadServedCatalogue(const Arguments& arguments, docstore::Catalogue& catalogue,
                         std::string& error) {
    if (const auto file = arguments.Value("catalogue")) {
        return docstore::LoadCatalogueFixture(*file, catalogue, error);
    }
    return docstore::ParseCatalogueFixture(kSampleCatalogue, BundledExample(kSampleCatalogue),
                                           catalogue, error);
}

}  // namespace zarn::tools
