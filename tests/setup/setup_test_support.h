#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "catalogue/doc_store_manager.h"
#include "common/services.h"
#include "host/sim/sim_host.h"
#include "release/release_settings.h"
#include "setup/setup_sheet.h"
#include "tests/setup/memory_dialog.h"
#include "tests/support/recording_user_interface.h"
#include "tests/support/test_server.h"

namespace zarn::test {

// A setup record on the simulated host and its ReleaseSetupData.
struct SimSetup {
    SimSetup();

    // The stored property of that name, or nothing.
    std::optional<std::u16string> Property(std::u16string_view name) const;
    void SetProperty(std::u16string name, std::u16string value);
    // The journal entries of one operation.
    std::size_t Writes(std::string_view operation) const;

    host::sim::SimHost host;
    std::shared_ptr<host::sim::SetupRecord> record;
    std::shared_ptr<host::sim::SimReleaseSetupData> data;
};

// The platform's seams with a recording user interface.
struct TestServices {
    RecordingUserInterface ui;
    Services services;
    TestServices();
};

// What a catalogue server offers. A key with `onServer` false is linked to its document type
// but missing from the store's keys.
struct KeySpec {
    std::string name;
    std::string description;
    bool onServer = true;
};
struct DocTypeSpec {
    std::string name;
    std::string description;
    std::vector<KeySpec> keys;  // in sort order
};
struct StoreSpec {
    std::string name;
    std::string description;
    std::vector<DocTypeSpec> docTypes;
};

// A document-store server on loopback answering the catalogue requests for `stores`.
class CatalogueServer {
  public:
    void Serve(const std::vector<StoreSpec>& stores);
    // The server URL to type into the setup.
    std::u16string Url() const { return server.Url(); }

    TestServer server;
};

// A catalogue manager loaded from a server offering `stores`.
struct LoadedCatalogue {
    explicit LoadedCatalogue(const std::vector<StoreSpec>& stores);

    TestServices services;
    CatalogueServer server;
    CDocStoreManager manager{services.services};
};

// A page on its in-memory window over settings of a simulated setup record, with a catalogue
// server at hand.
class PageTest : public testing::Test {
  protected:
    // Fills the settings from the record as the setup script does.
    void LoadSettings();
    // Creates the page's window and activates the page, as the sheet does at its first selection.
    MemoryDialog& Open(PropertyPage& page);
    // The page asked only for controls that its template has.
    void TearDown() override {
        if (window) {
            EXPECT_TRUE(window->UnknownIds().empty());
        }
    }
    // Loads the catalogue as the General page's Reload does.
    void LoadCatalogue(const std::vector<StoreSpec>& stores);

    TestServices services;
    CatalogueServer server;
    CDocStoreManager catalogue{services.services};
    SimSetup setup;
    ReleaseSettings settings{setup.data.get(), catalogue};
    std::unique_ptr<MemoryDialog> window;
};

// A document type whose keys are Key1 … Key<count>, described "Description 1" ….
DocTypeSpec NumberedKeys(std::string name, int count);

// A link as (source, type, destination), for comparisons and messages.
using LinkTuple = std::tuple<std::u16string, std::int32_t, std::u16string>;
std::vector<LinkTuple> Tuples(const std::vector<host::sim::Link>& links);

}  // namespace zarn::test
