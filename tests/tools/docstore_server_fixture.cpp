#include "tests/tools/docstore_server_fixture.h"

#include <chrono>
#include <thread>

namespace zarn::docstore {

namespace {

constexpr char kBoundary[] = "---------------------------zarnRel";

}  // namespace

Catalogue SampleCatalogue() {
    Catalogue catalogue;
    std::string error;
    EXPECT_TRUE(LoadCatalogueFixture(ZARN_EXAMPLES_DIR "/catalogue.json", catalogue, error))
        << error;
    return catalogue;
}

std::string ConnectorBody(const std::vector<Part>& parts) {
    std::string body;
    for (const Part& part : parts) {
        body += std::string("--") + kBoundary + "\r\nContent-Disposition: form-data; name=\"" +
                part.name + "\"";
        if (!part.fileName.empty()) {
            body += "; filename=\"" + part.fileName + "\"\r\nContent-Type: text/plain";
        }
        body += "\r\n\r\n" + part.value + "\r\n";
    }
    return body + "--" + kBoundary + "--";
}

std::vector<Part> SoundInvoice(const std::string& number) {
    return {{"docType", "Invoice"},
            {"description", "March"},
            {"document", std::string("%PDF\0\r\n--x\r\n", 12), "C:\\scans\\in voice.pdf"},
            {"authorityOwner", "accounts"},
            {"authorisationList", ""},
            {"authorityPublic", "*RWX"},
            {"InvoiceNo", number},
            {"Supplier", "Contoso"},
            {"Tag", "urgent"},
            {"Tag", "paid"}};
}

std::string RawPost(const std::vector<Part>& parts, const std::string& extraHeaders,
                    const std::string& store) {
    const std::string body = ConnectorBody(parts);
    return "POST /docStore/store/" + store + "/document/ HTTP/1.1\r\nHost: 127.0.0.1\r\n" +
           extraHeaders + "Content-Type: multipart/form-data; boundary=" + kBoundary +
           "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

std::string StatusDescription(const std::string& reply) {
    const std::string start = "id=\"statusDescription\">";
    const auto from = reply.find(start);
    if (from == std::string::npos) {
        return "(none)";
    }
    const auto to = reply.find('<', from + start.size());
    return reply.substr(from + start.size(), to - from - start.size());
}

void DocStoreServerTest::Start(ServerSettings settings) {
    settings.storeDir = folder_.path();
    settings.log = [this](const std::string& line) {
        const std::lock_guard<std::mutex> lock(logMutex_);
        log_.push_back(line);
    };
    server_ = std::make_unique<DocStoreServer>(SampleCatalogue(), settings);
    std::string error;
    ASSERT_TRUE(server_->Start(error)) << error;
    client_ = std::make_unique<httplib::Client>("127.0.0.1", server_->port());
}

httplib::Result DocStoreServerTest::PostDocument(const std::string& store,
                                                 const std::vector<Part>& parts) {
    return client_->Post("/docStore/store/" + store + "/document/", ConnectorBody(parts),
                         std::string("multipart/form-data; boundary=") + kBoundary);
}

std::vector<std::string> DocStoreServerTest::Log(std::size_t count) {
    for (int wait = 0; wait < 5000; ++wait) {
        {
            const std::lock_guard<std::mutex> lock(logMutex_);
            if (log_.size() >= count) {
                return log_;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const std::lock_guard<std::mutex> lock(logMutex_);
    return log_;
}

}  // namespace zarn::docstore
