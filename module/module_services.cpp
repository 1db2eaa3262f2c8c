#include "module/module_services.h"

#include "common/file_system.h"
#include "common/texts.h"
#include "common/win32/user_interface_win32.h"
#include "setup/win32/win32_sheet.h"
#include "transport/http_request.h"
#include "transport/xml_document.h"

namespace zarn::win32 {

const Services& ModuleServices() {
    static const Services services{PlatformFileSystem(), PlatformHttpRequestFactory(),
                                   PlatformXmlDocumentFactory(), PlatformTexts(),
                                   PlatformUserInterface()};
    return services;
}

SetupSheetFactory& ModuleSheets() {
    return Win32SheetFactory();
}

}  // namespace zarn::win32
