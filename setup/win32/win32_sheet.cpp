#include "setup/win32/win32_sheet.h"
namespace zarn::win32 {
namespace {
class StubSheet : public SetupSheet {
  public:
    void AddPage(PropertyPage&) override {}
    SheetResult DoModal(const std::u16string&) override { return SheetResult::kCancel; }
};
class StubFactory : public SetupSheetFactory {
  public:
    std::unique_ptr<SetupSheet> Create() override { return std::make_unique<StubSheet>(); }
};
}  // namespace
SetupSheetFactory& Win32SheetFactory() {
    static StubFactory factory;
    return factory;
}
}  // namespace zarn::win32
