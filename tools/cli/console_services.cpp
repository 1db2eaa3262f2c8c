#include "tools/cli/console_services.h"

#include "common/file_system.h"
#include "common/texts.h"
#include "transport/http_request.h"
#include "transport/xml_document.h"

namespace zarn::tools {

namespace {

// The request objects with the command line's limits, for the rest of the process.
std::unique_ptr<HttpRequestFactory>& LimitedFactory() {
    static std::unique_ptr<HttpRequestFactory> factory;
    return factory;
}

HttpRequestFactory& CurrentFactory() {
    return LimitedFactory() ? *LimitedFactory() : PlatformHttpRequestFactory();
}

}  // namespace

bool ConsoleServices::SetTransferLimits(const TransferLimits& limits) {
    std::unique_ptr<HttpRequestFactory> factory = CreatePlatformHttpRequestFactory(limits);
    if (!factory) {
        return false;
    }
    LimitedFactory() = std::move(factory);
    return true;
}

ConsoleServices::ConsoleServices()
    : services_{PlatformFileSystem(), CurrentFactory(), PlatformXmlDocumentFactory(),
                PlatformTexts(), ui_} {}

}  // namespace zarn::tools
