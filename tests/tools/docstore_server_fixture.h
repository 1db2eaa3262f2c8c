#pragma once

#include <httplib.h>

#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "tests/tools/temp_folder.h"
#include "tools/docstore_server/docstore_server.h"

namespace zarn::docstore {

Catalogue SampleCatalogue();

struct Part {
    std::string name;
    std::string value;
    std::string fileName = {};  // a file part when set
};

// A body as the connector sends it: the announced length ends at the closing "--" and the
// final CR LF CR LF is not counted.
std::string ConnectorBody(const std::vector<Part>& parts);

// An invoice of the sample catalogue's store "Finance" that the server accepts.
std::vector<Part> SoundInvoice(const std::string& number);

// The connector's post of a document to `store` as it goes on the wire, after `extraHeaders`.
std::string RawPost(const std::vector<Part>& parts, const std::string& extraHeaders = "",
                    const std::string& store = "Finance");

// The text of a reply's element with id "statusDescription", or "(none)".
std::string StatusDescription(const std::string& reply);

// The reference server with the sample catalogue on a fresh store folder, its log kept.
class DocStoreServerTest : public ::testing::Test {
  protected:
    void Start(ServerSettings settings = {});

    httplib::Result PostDocument(const std::string& store, const std::vector<Part>& parts);

    // The log line of a request is written just after its reply: wait for `count` of them.
    std::vector<std::string> Log(std::size_t count);

    test::TempFolder folder_;
    std::mutex logMutex_;
    std::vector<std::string> log_;
    std::unique_ptr<DocStoreServer> server_;
    std::unique_ptr<httplib::Client> client_;
};

}  // namespace zarn::docstore
