#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/doc_store.h"
#include "common/services.h"

namespace zarn {

// The server's catalogue as the setup sees it: the server address and credentials typed by the
// user, and the stores of the last load.
class CDocStoreManager {
  public:
    explicit CDocStoreManager(const Services& services) : services_(services) {}

    // A URL that differs (case-sensitively) from the current one discards the catalogue.
    void SetServerURL(std::u16string_view serverURL);
    // Used from the next request on; the catalogue is kept.
    void SetCredentials(std::u16string_view userName, std::u16string_view password);

    // Replaces the catalogue with the server's store list and every store's details. False,
    // with an empty catalogue, when the store list could not be fetched; a failed details
    // request leaves only that store empty. Each failed request is shown in a message box.
    [[nodiscard]] bool LoadCatalogue();
    // Loads the details of every store, in list order; a store whose details fail keeps none.
    void LoadAllDetails();

    // The first store with exactly this name, or null.
    const DocStore* FindDocStore(std::u16string_view name) const;

    const std::vector<DocStore>& Stores() const { return stores_; }
    const std::u16string& ServerURL() const { return serverURL_; }
    const std::u16string& UserName() const { return userName_; }
    const std::u16string& Password() const { return password_; }

  private:
    Services services_;
    std::vector<DocStore> stores_;
    std::u16string serverURL_;
    std::u16string userName_;
    std::u16string password_;
};

}  // namespace zarn
