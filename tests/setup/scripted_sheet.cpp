#include "tests/setup/scripted_sheet.h"

#include <gtest/gtest.h>

namespace zarn::test {

SheetResult ScriptedSheet::DoModal(const std::u16string& sheetCaption) {
    caption = sheetCaption;
    if (pages_.empty())
        return SheetResult::kCancel;
    Select(0);
    const SheetResult result = script_(*this);
    if (result == SheetResult::kOk) {
        for (Page& page : pages_) {
            if (page.window)
                page.page->OnOK();
        }
    }
    return result;
}

MemoryDialog& ScriptedSheet::Select(std::size_t index) {
    Page& page = pages_.at(index);
    if (!page.window) {
        page.window = MemoryDialog::FromTemplate(page.page->TemplateId(), ui_);
        page.window->SetEvents(page.page);
        page.page->OnInitDialog(*page.window);
    }
    EXPECT_TRUE(page.page->OnSetActive());
    current_ = index;
    EXPECT_TRUE(page.window->UnknownIds().empty()) << "the page used ids its template lacks";
    return *page.window;
}

std::vector<std::u16string> ScriptedSheet::Titles() const {
    std::vector<std::u16string> titles;
    for (const Page& page : pages_)
        titles.push_back(page.page->Title());
    return titles;
}

std::unique_ptr<SetupSheet> ScriptedSheetFactory::Create() {
    ++sheetsRun;
    // The factory outlives the sheet and records what it showed.
    return std::make_unique<ScriptedSheet>(ui_, [this](ScriptedSheet& sheet) {
        lastCaption = sheet.caption;
        lastTitles = sheet.Titles();
        return script_(sheet);
    });
}

}  // namespace zarn::test
