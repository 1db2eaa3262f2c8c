#include "setup/general_page.h"

#include <array>
#include <optional>

#include "common/module_version.h"
#include "common/texts.h"
#include "common/utf16_text.h"
#include "resources/control_ids.h"
#include "setup/combo_box_clr.h"
#include "setup/selective_edit.h"

namespace zarn {
namespace {

// The ten settings: their slot, box, "..." button and the notification of an edit in the box.
struct SettingControl {
    NamedSlot slot;
    int box;
    int button;
    Notification edited;
};

constexpr std::array<SettingControl, kNamedSlotCount> kSettingControls = {{
    {NamedSlot::docStoreServer, IDC_SERVER_URL, IDC_SERVER_URL_SOURCE, Notification::kChange},
    {NamedSlot::docStoreUsername, IDC_USERNAME, IDC_USERNAME_SOURCE, Notification::kChange},
    {NamedSlot::docStorePassword, IDC_PASSWORD, IDC_PASSWORD_SOURCE, Notification::kChange},
    {NamedSlot::docStoreName, IDC_DOCSTORE, IDC_DOCSTORE_SOURCE, Notification::kEditChange},
    {NamedSlot::docTypeName, IDC_DOCTYPE, IDC_DOCTYPE_SOURCE, Notification::kEditChange},
    {NamedSlot::documentDescription, IDC_DOC_DESCRIPTION, IDC_DOC_DESCRIPTION_SOURCE,
     Notification::kChange},
    {NamedSlot::authorityOwner, IDC_DOC_OWNER, IDC_DOC_OWNER_SOURCE, Notification::kChange},
    {NamedSlot::authorisationList, IDC_AUTHORISATION_LIST, IDC_AUTHORISATION_LIST_SOURCE,
     Notification::kChange},
    {NamedSlot::authorityPublic, IDC_PUBLIC_AUTHORITY, IDC_PUBLIC_AUTHORITY_SOURCE,
     Notification::kEditChange},
    {NamedSlot::docFilename, IDC_DOC_FILENAME, IDC_DOC_FILENAME_SOURCE, Notification::kChange},
}};

// The texts the page transfers besides those of the ten settings.
constexpr std::array<int, 6> kOtherTexts = {
    IDC_BATCH_CLASS,          IDC_DOC_CLASS,           IDC_NAME,
    IDC_DOCSTORE_DESCRIPTION, IDC_DOCTYPE_DESCRIPTION, IDC_VERSION};

// The public authorities offered; any other text may be typed.
constexpr std::array<std::u16string_view, 11> kPublicAuthorities = {
    u" ", u"*NONE", u"*RWX", u"*RX", u"*RW", u"*WX", u"*R", u"*W", u"*X", u"*EXCLUDE", u"*AUTL"};

struct LengthLimit {
    int box;
    std::int32_t maxLength;
};

constexpr std::array<LengthLimit, 4> kLengthLimits = {{
    {IDC_DOC_DESCRIPTION, 1024},
    {IDC_DOC_FILENAME, 1024},
    {IDC_DOC_OWNER, 20},
    {IDC_AUTHORISATION_LIST, 20},
}};

// Reads a host text; a failed read gives an empty text.
template <class Getter>
std::u16string HostText(host::IReleaseSetupData& setupData, Getter getter) {
    std::u16string text;
    (setupData.*getter)(text);
    return text;
}

}  // namespace

CPropertyPageSetupGeneral::CPropertyPageSetupGeneral(ReleaseSettings& settings, Texts& texts,
                                                     UserInterface& ui)
    : SetupPage(settings), texts_(texts), ui_(ui) {
    for (int label : kOtherTexts)
        BindText(label);
    for (const SettingControl& control : kSettingControls)
        BindText(control.box);
}

int CPropertyPageSetupGeneral::TemplateId() const {
    return IDD_SETUP_GENERAL;
}

void CPropertyPageSetupGeneral::OnInitDialog(Dialog& dialog) {
    {
        Updating updating(*this);
        for (std::u16string_view authority : kPublicAuthorities) {
            dialog.AddListEntry(IDC_PUBLIC_AUTHORITY, std::u16string(authority), 0);
        }
    }
    Attach(dialog);
    for (int box : {IDC_DOCSTORE, IDC_DOCTYPE}) {
        if (CComboBoxClr* combo = dialog.ColourComboBox(box)) {
            combo->SetItemColourCallback(NotOnServerColour);
        }
    }
    ShowVersion();
    RefreshFromSettings();
}

void CPropertyPageSetupGeneral::ShowVersion() {
    std::optional<std::u16string> version = ModuleVersionText(texts_);
    if (version)
        Text(IDC_VERSION) = *version;
    dialog_->Show(IDC_VERSION_LABEL, version.has_value());
    dialog_->Show(IDC_VERSION, version.has_value());
}

bool CPropertyPageSetupGeneral::ConnectionIsTyped() const {
    for (NamedSlot slot :
         {NamedSlot::docStoreServer, NamedSlot::docStoreUsername, NamedSlot::docStorePassword}) {
        if (settings_.Named(slot).sourceType != host::KFX_REL_TEXTCONSTANT)
            return false;
    }
    return true;
}

void CPropertyPageSetupGeneral::RefreshFromSettings() {
    if (!dialog_ || !settings_.setupData)
        return;
    Updating updating(*this);
    host::IReleaseSetupData& setupData = *settings_.setupData;
    Text(IDC_BATCH_CLASS) = HostText(setupData, &host::IReleaseSetupData::GetBatchClassName);
    Text(IDC_DOC_CLASS) = HostText(setupData, &host::IReleaseSetupData::GetDocClassName);
    // The host's name is shown once; after that the box keeps what the administrator typed,
    // which only OK or Reload hands to the host.
    if (nameShown_) {
        Text(IDC_NAME) = dialog_->GetText(IDC_NAME);
    } else {
        Text(IDC_NAME).clear();
        nameRead_ = Succeeded(setupData.GetName(Text(IDC_NAME)));
        nameShown_ = true;
    }
    for (const SettingControl& control : kSettingControls) {
        const LinkSlot& slot = settings_.Named(control.slot);
        Text(control.box) = slot.source;
        dialog_->Enable(control.box, slot.sourceType == host::KFX_REL_TEXTCONSTANT);
    }
    // A mapped source's name stays readable.
    const bool typedPassword =
        settings_.Named(NamedSlot::docStorePassword).sourceType == host::KFX_REL_TEXTCONSTANT;
    dialog_->SetPasswordChar(IDC_PASSWORD, typedPassword ? u'*' : u'\0');
    for (const LengthLimit& limit : kLengthLimits) {
        if (CSelectiveEdit* edit = dialog_->SelectiveEdit(limit.box)) {
            edit->maxLength = limit.maxLength;
        }
    }
    const bool typed = ConnectionIsTyped();
    dialog_->Enable(IDC_RELOAD, typed);
    if (typed) {
        FillStoreList();
        FillTypeList();
    }
    TransferToControls();
}

void CPropertyPageSetupGeneral::HandleNotify(int controlId, Notification code) {
    for (const SettingControl& control : kSettingControls) {
        if (controlId == control.box && code == control.edited) {
            OnSettingEdited(control.slot, control.box);
            return;
        }
        if (controlId == control.button && code == Notification::kClicked) {
            ShowSourceMenu(control.button, &settings_.Named(control.slot));
            return;
        }
    }
    const bool picked = code == Notification::kCloseUp ||
                        (code == Notification::kSelChange && !dialog_->IsListOpen(controlId));
    if (picked && controlId == IDC_DOCSTORE) {
        OnStorePicked();
    } else if (picked && controlId == IDC_DOCTYPE) {
        OnTypePicked();
    } else if (code == Notification::kSelChange && controlId == IDC_PUBLIC_AUTHORITY) {
        OnPublicAuthorityPicked();
    } else if (code == Notification::kClicked && controlId == IDC_RELOAD) {
        ReloadCatalogue();
    }
}

void CPropertyPageSetupGeneral::OnSettingEdited(NamedSlot slot, int box) {
    ReadControls();
    settings_.Named(slot) = {Text(box), host::KFX_REL_TEXTCONSTANT};
}

void CPropertyPageSetupGeneral::OnStorePicked() {
    const int selection = dialog_->ListSelection(IDC_DOCSTORE);
    if (selection < 0)
        return;
    ReadControls();
    Text(IDC_DOCSTORE) = dialog_->ListText(IDC_DOCSTORE, selection);
    settings_.Named(NamedSlot::docStoreName) = {Text(IDC_DOCSTORE), host::KFX_REL_TEXTCONSTANT};
    ShowStoreDescription();
    FillTypeList();
    ShowTypeDescription();
    TransferToControls();
}

void CPropertyPageSetupGeneral::OnTypePicked() {
    const int selection = dialog_->ListSelection(IDC_DOCTYPE);
    if (selection < 0)
        return;
    ReadControls();
    Text(IDC_DOCTYPE) = dialog_->ListText(IDC_DOCTYPE, selection);
    settings_.Named(NamedSlot::docTypeName) = {Text(IDC_DOCTYPE), host::KFX_REL_TEXTCONSTANT};
    ShowTypeDescription();
    TransferToControls();
}

void CPropertyPageSetupGeneral::OnPublicAuthorityPicked() {
    ReadControls();
    const int selection = dialog_->ListSelection(IDC_PUBLIC_AUTHORITY);
    if (selection >= 0) {
        Text(IDC_PUBLIC_AUTHORITY) = dialog_->ListText(IDC_PUBLIC_AUTHORITY, selection);
    }
    settings_.Named(NamedSlot::authorityPublic) = {Text(IDC_PUBLIC_AUTHORITY),
                                                   host::KFX_REL_TEXTCONSTANT};
    TransferToControls();
}

void CPropertyPageSetupGeneral::ApplyName() {
    if (!dialog_ || !settings_.setupData)
        return;
    ReadControls();
    // A name the host could not tell is not overwritten with nothing.
    if (!nameRead_ && Text(IDC_NAME).empty())
        return;
    // The host keeps its old name if it refuses this one; the sheet has nothing to add.
    static_cast<void>(settings_.setupData->PutName(Text(IDC_NAME)));
}

}  // namespace zarn
