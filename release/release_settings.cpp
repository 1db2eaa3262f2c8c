#include "release/release_settings.h"

#include "catalogue/doc_store_manager.h"

namespace zarn {

ReleaseSettings::ReleaseSettings(host::IReleaseSetupData* setupData, CDocStoreManager& catalogue)
    : setupData(setupData), catalogue(catalogue) {
    for (LinkSlot& slot : named)
        slot.sourceType = host::KFX_REL_TEXTCONSTANT;
}

std::vector<DocTypeKey> LinkedDocTypeKeys(const CDocStoreManager& catalogue,
                                          const std::u16string& storeName,
                                          const std::u16string& docTypeName) {
    std::vector<DocTypeKey> keys;
    if (const DocStore* store = catalogue.FindDocStore(storeName))
        store->GetDocTypeKeys(docTypeName, keys);
    std::erase_if(keys, [](const DocTypeKey& entry) { return entry.key == nullptr; });
    return keys;
}

}  // namespace zarn
