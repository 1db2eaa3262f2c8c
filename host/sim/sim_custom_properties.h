#pragma once

// CustomProperties of the setup record, as both ReleaseSetupData and ReleaseData show them.

#include <memory>
#include <string>

#include "host/capture_host.h"
#include "host/sim/sim_context.h"
#include "host/sim/sim_data.h"

namespace zarn::host::sim {

// Works on the record's properties in place. Like a keyed collection: Add of a name that exists
// fails with kInvalidArg, Remove or GetItem of a missing name fails with kBadIndex.
class SimCustomProperties : public ICustomProperties {
  public:
    SimCustomProperties(std::shared_ptr<SimContext> context,
                        std::shared_ptr<NamedTexts> properties);

    HResult GetItem(const std::u16string& name,
                    std::shared_ptr<ICustomProperty>& property) override;
    HResult Add(const std::u16string& name, const std::u16string& value) override;
    HResult Remove(const std::u16string& name) override;

  private:
    std::shared_ptr<SimContext> context_;
    std::shared_ptr<NamedTexts> properties_;
};

}  // namespace zarn::host::sim
