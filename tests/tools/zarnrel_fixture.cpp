#include "tests/tools/zarnrel_fixture.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fstream>

namespace zarn::test {

namespace fs = std::filesystem;

nlohmann::json ZarnrelTest::SampleBatch() {
    std::ifstream in(ZARN_EXAMPLES_DIR "/batch.json");
    const bool ignoreComments = true;
    return nlohmann::json::parse(in, nullptr, true, ignoreComments);
}

std::string ZarnrelTest::WriteBatch(const nlohmann::json& batch) {
    fs::copy(ZARN_EXAMPLES_DIR "/documents", folder() / "documents",
             fs::copy_options::overwrite_existing | fs::copy_options::recursive);
    const fs::path path = folder() / "batch.json";
    std::ofstream(path) << batch.dump(2);
    return path.string();
}

std::string ZarnrelTest::StartReferenceServer(const std::string& user,
                                              const std::string& password) {
    docstore::Catalogue catalogue;
    std::string error;
    EXPECT_TRUE(
        docstore::LoadCatalogueFixture(ZARN_EXAMPLES_DIR "/catalogue.json", catalogue, error))
        << error;
    docstore::ServerSettings settings;
    settings.storeDir = storeDir();
    settings.user = user;
    settings.password = password;
    server_ = std::make_unique<docstore::DocStoreServer>(std::move(catalogue), settings);
    EXPECT_TRUE(server_->Start(error)) << error;
    return server_->url();
}

std::string ZarnrelTest::UnreachableUrl() {
    const int held = socket(AF_INET, SOCK_STREAM, 0);
    heldSockets_.push_back(held);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    EXPECT_EQ(bind(held, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    socklen_t length = sizeof address;
    getsockname(held, reinterpret_cast<sockaddr*>(&address), &length);
    return "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port));
}

void ZarnrelTest::TearDown() {
    for (const int held : heldSockets_) {
        close(held);
    }
}

}  // namespace zarn::test
