#pragma once

#include <string>
#include <utility>
#include <vector>

#include "release/release_settings.h"
#include "setup/setup_sheet.h"

namespace zarn {

// What both setup pages share: the settings they edit, the texts they transfer to and from
// their controls, and the source menu of their "..." buttons.
class SetupPage : public PropertyPage {
  public:
    explicit SetupPage(ReleaseSettings& settings) : settings_(settings) {}

    // Notifications raised while the page itself transfers texts are not the administrator's.
    void OnNotify(int controlId, Notification code) final;
    // Source-menu commands.
    void OnCommand(int commandId) final;

  protected:
    virtual void HandleNotify(int controlId, Notification code) = 0;
    // Shows the settings again after a source-menu choice.
    virtual void Refresh() = 0;

    // Remembers the window and transfers the page's (still empty) texts into it.
    void Attach(Dialog& dialog);

    // A text that the page transfers to and from the control `id`; Text throws
    // std::logic_error for an id that was never bound.
    void BindText(int id);
    std::u16string& Text(int id);

    void TransferToControls();
    void ReadControls();

    // While one lives, control notifications are ignored.
    class Updating {
      public:
        explicit Updating(SetupPage& page) : page_(page) { ++page_.updating_; }
        ~Updating() { --page_.updating_; }
        Updating(const Updating&) = delete;
        Updating& operator=(const Updating&) = delete;

      private:
        SetupPage& page_;
    };

    // Opens the source menu of `target` below the anchor button; a chosen command arrives at
    // OnCommand. A null target only forgets the previous one.
    void ShowSourceMenu(int anchorId, LinkSlot* target);

    ReleaseSettings& settings_;
    Dialog* dialog_ = nullptr;

  private:
    std::vector<std::pair<int, std::u16string>> texts_;
    LinkSlot* currentTarget_ = nullptr;
    int updating_ = 0;
};

}  // namespace zarn
