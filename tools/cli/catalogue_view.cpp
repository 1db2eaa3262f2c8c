#include "tools/cli/catalogue_view.h"

#include "catalogue/doc_store_manager.h"
#include "common/utf16_text.h"
#include "tools/cli/catalogue_printer.h"
#include "tools/cli/catalogue_reply_check.h"
#include "tools/cli/console_services.h"

namespace zarn::tools {

bool LoadAndPrintCatalogue(const std::string& server, const std::string& user,
                           const std::string& password, CatalogueFormat format, std::ostream& out) {
    ConsoleServices console;
    const Services& platform = console.services();
    CatalogueReplyCheck check(platform);
    CDocStoreManager manager({platform.files, check, platform.xml, platform.texts, platform.ui});
    manager.SetServerURL(FromUtf8(server));
    manager.SetCredentials(FromUtf8(user), FromUtf8(password));
    // A store list that is no catalogue document fails as a store list that was not had.
    if (!manager.LoadCatalogue() || check.Refused(manager.ServerURL() + u"/docStore/store/")) {
        return false;
    }
    if (format == CatalogueFormat::kJson) {
        PrintCatalogueJson(out, manager.ServerURL(), manager.Stores());
    } else {
        PrintCatalogueTree(out, manager.ServerURL(), manager.Stores());
    }
    return console.ui().MessagesShown() == 0;
}

}  // namespace zarn::tools
