#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "common/services.h"
#include "common/texts.h"
#include "host/kfx_constants.h"
#include "host/sim/sim_host.h"
#include "release/release_script.h"
#include "tests/support/raw_server.h"
#include "tests/support/recording_user_interface.h"
#include "tools/docstore_server/multipart_parser.h"
#include "transport/http_request.h"

namespace zarn::test {

// A release of one document on the simulated host against a raw server on loopback that
// records the request bytes.
class ReleaseFixture : public ::testing::Test {
  protected:
    struct LogLine {
        std::int32_t severity;
        std::u16string message;
    };

    ReleaseFixture();
    ~ReleaseFixture() override;

    // Stores the server and store name as the setup's custom properties.
    void StoreServerSettings(const std::u16string& store = u"Main");
    // Creates a file in the fixture's folder and returns its full path.
    std::u16string MakeFile(const std::string& name, const std::string& content);
    std::u16string Folder() const;

    host::KfxReturnValue Release() { return ReleaseWith(services); }
    host::KfxReturnValue ReleaseWith(const Services& with);

    std::vector<LogLine> LogLines() const;
    std::vector<std::u16string> SentMessages() const;
    // The parts of the one request the server received.
    std::vector<docstore::FormPart> Parts() const;
    // The value of the first part named so; fails the test when it is missing.
    std::string PartContent(const std::string& name) const;
    bool HasPart(const std::string& name) const;

    RawServer server;
    RecordingUserInterface ui;
    Services services;
    host::sim::SimHost host;
    std::shared_ptr<host::sim::SetupRecord> record = std::make_shared<host::sim::SetupRecord>();
    host::sim::Batch batch;
    host::sim::Document document;
    host::sim::ReleaseSession session;

  private:
    std::filesystem::path folder_;
};

}  // namespace zarn::test
