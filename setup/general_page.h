#pragma once

#include <string>
#include <vector>

#include "setup/setup_page.h"

namespace zarn {

class Texts;
class UserInterface;

// The General page: the setup's name, the server and credentials, the catalogue's store and
// document type, and the document's fields, each mappable through its "..." button.
class CPropertyPageSetupGeneral : public SetupPage {
  public:
    CPropertyPageSetupGeneral(ReleaseSettings& settings, Texts& texts, UserInterface& ui);

    int TemplateId() const override;
    std::u16string Title() const override { return u"General"; }
    void OnInitDialog(Dialog& dialog) override;
    bool OnSetActive() override { return true; }
    void OnOK() override { ApplyName(); }

    void RefreshFromSettings();
    void FillStoreList();
    void FillTypeList();
    void ShowStoreDescription();
    void ShowTypeDescription();
    void ReloadCatalogue();
    void ApplyName();

  protected:
    void HandleNotify(int controlId, Notification code) override;
    void Refresh() override { RefreshFromSettings(); }

  private:
    bool ConnectionIsTyped() const;
    // Lists the names in the drop-down `box` (found on the server) and the slot's text when
    // they lack it (not found).
    void FillList(int box, NamedSlot slot, const std::vector<std::u16string>& names);
    void OnSettingEdited(NamedSlot slot, int box);
    void OnStorePicked();
    void OnTypePicked();
    void OnPublicAuthorityPicked();
    void ShowVersion();

    Texts& texts_;
    UserInterface& ui_;
    bool nameShown_ = false;  // the host's name was put into the Name box
    bool nameRead_ = false;   // the host could tell its name
};

}  // namespace zarn
