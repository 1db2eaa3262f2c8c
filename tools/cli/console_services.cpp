#include "tools/cli/console_services.h"

#include "common/file_system.h"
#include "common/texts.h"
#include "transport/http_request.h"
#include "transport/xml_document.h"

namespace zarn::tools {

ConsoleServices::ConsoleServices()
    : services_{PlatformFileSystem(), PlatformHttpRequestFactory(), PlatformXmlDocumentFactory(),
                PlatformTexts(), ui_} {}

}  // namespace zarn::tools
