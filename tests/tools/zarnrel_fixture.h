#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "tests/tools/program_runner.h"
#include "tests/tools/temp_folder.h"
#include "tools/docstore_server/docstore_server.h"

namespace zarn::test {

// Runs the zarnrel program against servers on loopback, with sample files in a fresh folder.
class ZarnrelTest : public ::testing::Test {
  protected:
    // The sample batch of examples/, comments dropped.
    static nlohmann::json SampleBatch();
    // Writes the batch as batch.json beside a copy of the sample documents; returns its path.
    std::string WriteBatch(const nlohmann::json& batch);
    // Starts the reference server with the sample catalogue, storing below folder()/store.
    std::string StartReferenceServer(const std::string& user = "",
                                     const std::string& password = "");
    // A loopback address where nothing listens: its port stays bound, not listening, for the
    // test's length, so no other server can take it meanwhile.
    std::string UnreachableUrl();

    void TearDown() override;

    const std::filesystem::path& folder() const { return folder_.path(); }
    std::filesystem::path storeDir() const { return folder_.path() / "store"; }

  private:
    TempFolder folder_;
    std::unique_ptr<docstore::DocStoreServer> server_;
    std::vector<int> heldSockets_;
};

}  // namespace zarn::test
