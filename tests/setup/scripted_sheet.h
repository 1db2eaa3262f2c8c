#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "setup/setup_sheet.h"
#include "tests/setup/memory_dialog.h"

namespace zarn::test {

// A property sheet whose administrator is a test function: it selects pages, works their
// in-memory windows and ends the sheet with OK or Cancel. Pages are created and activated as
// the real sheet does it: page 0 at the start, the others at their first selection.
class ScriptedSheet : public SetupSheet {
  public:
    using Script = std::function<SheetResult(ScriptedSheet&)>;

    ScriptedSheet(UserInterface& ui, Script script) : ui_(ui), script_(std::move(script)) {}

    void AddPage(PropertyPage& page) override { pages_.push_back({&page, nullptr}); }
    SheetResult DoModal(const std::u16string& caption) override;

    // Selects page `index` and returns its window.
    MemoryDialog& Select(std::size_t index);
    MemoryDialog& Current() { return *pages_[current_].window; }

    std::u16string caption;
    std::vector<std::u16string> Titles() const;

  private:
    struct Page {
        PropertyPage* page;
        std::unique_ptr<MemoryDialog> window;
    };

    UserInterface& ui_;
    Script script_;
    std::vector<Page> pages_;
    std::size_t current_ = 0;
};

// Makes scripted sheets that all run the same script, and remembers what they showed.
class ScriptedSheetFactory : public SetupSheetFactory {
  public:
    ScriptedSheetFactory(UserInterface& ui, ScriptedSheet::Script script)
        : ui_(ui), script_(std::move(script)) {}

    std::unique_ptr<SetupSheet> Create() override;

    int sheetsRun = 0;
    std::u16string lastCaption;
    std::vector<std::u16string> lastTitles;

  private:
    UserInterface& ui_;
    ScriptedSheet::Script script_;
};

}  // namespace zarn::test
