#pragma once

#include "common/services.h"
#include "tools/cli/console_user_interface.h"
#include "transport/http_request.h"

namespace zarn::tools {

// The platform's seams, with the console as the user interface.
class ConsoleServices {
  public:
    ConsoleServices();
    ConsoleServices(const ConsoleServices&) = delete;
    ConsoleServices& operator=(const ConsoleServices&) = delete;

    // The request objects of the services made from now on keep these limits; false, with
    // nothing changed, where the platform's request object takes none.
    static bool SetTransferLimits(const TransferLimits& limits);

    const Services& services() const { return services_; }
    const ConsoleUserInterface& ui() const { return ui_; }

  private:
    ConsoleUserInterface ui_;
    Services services_;
};

}  // namespace zarn::tools
