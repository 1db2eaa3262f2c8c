#include "tests/catalogue/catalogue_fixture.h"

#include <fstream>
#include <sstream>

#include "common/file_system.h"
#include "common/texts.h"
#include "transport/posix/http_request_curl.h"

namespace zarn::test {
namespace {

std::unique_ptr<HttpRequestFactory> ShortLimitFactory() {
    CurlHttpOptions options;
    options.connectTimeout = std::chrono::milliseconds(2000);
    options.idleTimeout = std::chrono::seconds(1);
    return CreateCurlHttpRequestFactory(options);
}

}  // namespace

CatalogueTest::CatalogueTest()
    : http(ShortLimitFactory()),
      services{PlatformFileSystem(), *http, PlatformXmlDocumentFactory(), PlatformTexts(), ui},
      manager(services) {}

std::string CatalogueTest::Fixture(std::string_view name) {
    std::ifstream file(std::string(ZARN_CATALOGUE_FIXTURES) + "/" + std::string(name),
                       std::ios::binary);
    EXPECT_TRUE(file) << name;
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void CatalogueTest::ServeStoreList(std::string body, int status) {
    server.SetReply("/docStore/store/", {status, "text/xml", std::move(body), {}});
}

void CatalogueTest::ServeDetails(std::string_view encodedStoreName, std::string body, int status) {
    server.SetReply("/docStore/store/" + std::string(encodedStoreName) + "/docTypeKey/",
                    {status, "text/xml", std::move(body), {}});
}

bool CatalogueTest::Load() {
    manager.SetServerURL(server.Url());
    return manager.LoadCatalogue();
}

std::vector<std::string> CatalogueTest::Targets() const {
    std::vector<std::string> targets;
    for (const RecordedRequest& request : server.Requests()) {
        EXPECT_EQ(request.method, "GET");
        targets.push_back(request.target);
    }
    return targets;
}

std::u16string CatalogueTest::FailureText(std::string_view path, std::u16string_view error) const {
    return FailureMessage(server.Url(path), error);
}

std::u16string FailureMessage(std::u16string_view url, std::u16string_view error) {
    return u"Failed to retrieve data from " + std::u16string(url) + u".\nMessage: " +
           std::u16string(error);
}

std::string DetailsReply(std::string_view storeContent) {
    return "<ZARN><docStore><store>" + std::string(storeContent) + "</store></docStore></ZARN>";
}

}  // namespace zarn::test
