#include "setup/win32/win32_sheet.h"

#include "common/win32/user_interface_win32.h"
#include "setup/win32/property_sheet.h"

namespace zarn::win32 {
namespace {

class Win32Sheets final : public SetupSheetFactory {
  public:
    std::unique_ptr<SetupSheet> Create() override {
        return std::make_unique<SetupPropertySheet>(PlatformUserInterface());
    }
};

}  // namespace

SetupSheetFactory& Win32SheetFactory() {
    static Win32Sheets factory;
    return factory;
}

}  // namespace zarn::win32
