#include "setup/setup_page.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "setup/source_menu.h"

namespace zarn {

void SetupPage::OnNotify(int controlId, Notification code) {
    if (updating_ > 0 || !dialog_)
        return;
    HandleNotify(controlId, code);
}

void SetupPage::OnCommand(int commandId) {
    if (!currentTarget_ || !IsSourceCommand(commandId))
        return;
    if (ApplySourceCommand(settings_, commandId, *currentTarget_)) {
        currentTarget_ = nullptr;
        Refresh();
    }
}

void SetupPage::Attach(Dialog& dialog) {
    dialog_ = &dialog;
    TransferToControls();
}

void SetupPage::BindText(int id) {
    texts_.emplace_back(id, std::u16string());
}

std::u16string& SetupPage::Text(int id) {
    auto it = std::find_if(texts_.begin(), texts_.end(),
                           [id](const auto& entry) { return entry.first == id; });
    // Only a page's own code names its controls: a miss is its bug, which ends the sheet.
    if (it == texts_.end())
        throw std::logic_error("setup page: no text bound to control " + std::to_string(id));
    return it->second;
}

void SetupPage::TransferToControls() {
    if (!dialog_)
        return;
    Updating updating(*this);
    for (const auto& [id, text] : texts_)
        dialog_->SetText(id, text);
}

void SetupPage::ReadControls() {
    if (!dialog_)
        return;
    for (auto& [id, text] : texts_)
        text = dialog_->GetText(id);
}

void SetupPage::ShowSourceMenu(int anchorId, LinkSlot* target) {
    currentTarget_ = target;
    if (!target || !dialog_)
        return;
    MenuDescription menu = BuildSourceMenu(settings_, *target);
    if (std::optional<int> command = dialog_->TrackPopupMenu(menu, anchorId)) {
        OnCommand(*command);
    }
}

}  // namespace zarn
