#pragma once

#include <cstdint>
#include <string>

#include "setup/setup_page.h"

namespace zarn {

// A Parameters page: a block of the numbered settings, one row each, labelled with the
// descriptions of the chosen document type's keys.
class CPropertyPageSetupParms : public SetupPage {
  public:
    // Row r edits numbered slot firstParameter + r; parameterCount rows (at most 10) are shown.
    CPropertyPageSetupParms(ReleaseSettings& settings, std::u16string title,
                            std::int32_t firstParameter, std::int32_t parameterCount,
                            std::int32_t maxLength);

    int TemplateId() const override;
    std::u16string Title() const override { return title_; }
    void OnInitDialog(Dialog& dialog) override { Attach(dialog); }
    bool OnSetActive() override;
    void OnOK() override {}

    void RefreshParameters();

  protected:
    void HandleNotify(int controlId, Notification code) override;
    void Refresh() override { RefreshParameters(); }

  private:
    // The numbered slot of a row, or null when the row edits none.
    LinkSlot* SlotOfRow(std::int32_t row);
    // Labels rows from the key descriptions of the chosen document type.
    void LabelRows();

    std::u16string title_;
    std::int32_t firstParameter_;
    std::int32_t parameterCount_;
    std::int32_t maxLength_;
};

}  // namespace zarn
