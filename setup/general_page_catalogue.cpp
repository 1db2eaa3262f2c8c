// The General page's use of the catalogue: the store and document-type lists, their
// descriptions and the Reload button.
#include <algorithm>

#include "catalogue/doc_store_manager.h"
#include "common/resource_texts.h"
#include "common/user_interface.h"
#include "resources/control_ids.h"
#include "resources/string_ids.h"
#include "setup/general_page.h"

namespace zarn {
namespace {

constexpr std::uint32_t kFoundOnServer = 0;
constexpr std::uint32_t kNotOnServer = 1;

template <class Records>
std::vector<std::u16string> NamesOf(const Records& records) {
    std::vector<std::u16string> names;
    for (const auto& record : records)
        names.push_back(record.name);
    return names;
}

// Ends the wait cursor however the reload ends.
class WaitCursor {
  public:
    explicit WaitCursor(UserInterface& ui) : ui_(ui) { ui_.BeginWaitCursor(); }
    ~WaitCursor() { ui_.EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    UserInterface& ui_;
};

}  // namespace

void CPropertyPageSetupGeneral::FillList(int box, NamedSlot slot,
                                         const std::vector<std::u16string>& names) {
    Updating updating(*this);
    dialog_->ResetList(box);
    for (const std::u16string& name : names)
        dialog_->AddListEntry(box, name, kFoundOnServer);
    std::u16string& text = Text(box);
    if (!text.empty() && std::find(names.begin(), names.end(), text) == names.end()) {
        dialog_->AddListEntry(box, text, kNotOnServer);
    }
    // An empty text takes the first entry; it is written into the setting as well, so that
    // what the box shows is what OK saves. A setting with another source keeps its empty box.
    LinkSlot& setting = settings_.Named(slot);
    if (text.empty() && dialog_->ListCount(box) > 0 &&
        setting.sourceType == host::KFX_REL_TEXTCONSTANT) {
        text = dialog_->ListText(box, 0);
        setting.source = text;
        TransferToControls();
    }
}

void CPropertyPageSetupGeneral::FillStoreList() {
    if (!dialog_ || !ConnectionIsTyped())
        return;
    FillList(IDC_DOCSTORE, NamedSlot::docStoreName, NamesOf(settings_.catalogue.Stores()));
    ShowStoreDescription();
}

void CPropertyPageSetupGeneral::FillTypeList() {
    if (!dialog_ || !ConnectionIsTyped())
        return;
    const DocStore* store = settings_.catalogue.FindDocStore(Text(IDC_DOCSTORE));
    FillList(IDC_DOCTYPE, NamedSlot::docTypeName,
             store ? NamesOf(store->docTypes) : std::vector<std::u16string>());
    ShowTypeDescription();
}

void CPropertyPageSetupGeneral::ShowStoreDescription() {
    if (!dialog_)
        return;
    const DocStore* store = settings_.catalogue.FindDocStore(Text(IDC_DOCSTORE));
    Text(IDC_DOCSTORE_DESCRIPTION) = store ? store->description : std::u16string();
    dialog_->SetText(IDC_DOCSTORE_DESCRIPTION, Text(IDC_DOCSTORE_DESCRIPTION));
}

void CPropertyPageSetupGeneral::ShowTypeDescription() {
    if (!dialog_)
        return;
    const DocStore* store = settings_.catalogue.FindDocStore(Text(IDC_DOCSTORE));
    const DocStoreDocType* type = store ? store->FindDocType(Text(IDC_DOCTYPE)) : nullptr;
    Text(IDC_DOCTYPE_DESCRIPTION) = type ? type->description : std::u16string();
    dialog_->SetText(IDC_DOCTYPE_DESCRIPTION, Text(IDC_DOCTYPE_DESCRIPTION));
}

void CPropertyPageSetupGeneral::ReloadCatalogue() {
    if (!dialog_ || !ConnectionIsTyped())
        return;
    ReadControls();
    if (Text(IDC_USERNAME).empty()) {
        ui_.ShowMessageBox(FormatResourceMessage(texts_, IDS_CREDENTIALS_REQUIRED, {}), kModuleName,
                           MessageBoxKind::kOkCancelExclamation);
        dialog_->SetFocus(IDC_USERNAME);
        return;
    }
    WaitCursor waitCursor(ui_);
    CDocStoreManager& catalogue = settings_.catalogue;
    catalogue.SetServerURL(Text(IDC_SERVER_URL));
    catalogue.SetCredentials(Text(IDC_USERNAME), Text(IDC_PASSWORD));
    settings_.catalogueLoaded = catalogue.LoadCatalogue();
    FillStoreList();
    FillTypeList();
    TransferToControls();
    ApplyName();
}

}  // namespace zarn
