#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "catalogue/doc_store_manager.h"
#include "common/services.h"
#include "tests/support/recording_user_interface.h"
#include "tests/support/test_server.h"
#include "transport/http_request.h"

namespace zarn::test {

// A catalogue manager wired to the platform seams, with a recording user interface, loading
// from a test server on loopback.
class CatalogueTest : public ::testing::Test {
  protected:
    CatalogueTest();

    // Text of a file in the fixtures folder.
    static std::string Fixture(std::string_view name);

    void ServeStoreList(std::string body, int status = 200);
    void ServeDetails(std::string_view encodedStoreName, std::string body, int status = 200);

    // Points the manager at `server` and loads.
    bool Load();

    // The request targets that the server has seen, in order.
    std::vector<std::string> Targets() const;

    // The text of the failed-request message box for a URL of the server and an error text.
    std::u16string FailureText(std::string_view path, std::u16string_view error) const;

    TestServer server;
    RecordingUserInterface ui;
    std::unique_ptr<HttpRequestFactory> http;
    Services services;
    CDocStoreManager manager;
};

// The text of the failed-request message box for a URL and an error text.
std::u16string FailureMessage(std::u16string_view url, std::u16string_view error);

// A details reply: the given text inside ZARN/docStore/store.
std::string DetailsReply(std::string_view storeContent);

}  // namespace zarn::test
