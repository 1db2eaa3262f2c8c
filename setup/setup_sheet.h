#pragma once

#include <memory>
#include <string>

#include "setup/dialog.h"

namespace zarn {

// One page of the setup sheet. The sheet creates the page's window from its template the
// first time the page is selected, hands it over with OnInitDialog, and activates the page at
// every selection.
class PropertyPage : public DialogEvents {
  public:
    virtual int TemplateId() const = 0;
    virtual std::u16string Title() const = 0;
    virtual void OnInitDialog(Dialog& dialog) = 0;
    // True accepts the activation.
    [[nodiscard]] virtual bool OnSetActive() = 0;
    // The sheet's OK, for every page whose window was created.
    virtual void OnOK() = 0;
};

enum class SheetResult { kOk, kCancel };

// The modal property sheet: the pages as a list down the left side, page 0 selected, no Apply
// button.
class SetupSheet {
  public:
    virtual ~SetupSheet() = default;
    // Pages are shown in the order added; the sheet does not own them.
    virtual void AddPage(PropertyPage& page) = 0;
    virtual SheetResult DoModal(const std::u16string& caption) = 0;
};

class SetupSheetFactory {
  public:
    virtual ~SetupSheetFactory() = default;
    [[nodiscard]] virtual std::unique_ptr<SetupSheet> Create() = 0;
};

}  // namespace zarn
