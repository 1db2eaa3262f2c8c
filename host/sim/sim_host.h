#pragma once

// The simulated capture host: makes ReleaseSetupData and ReleaseData objects that share one
// failure injector and one journal.

#include <memory>

#include "host/sim/failure_injector.h"
#include "host/sim/journal.h"
#include "host/sim/sim_context.h"
#include "host/sim/sim_data.h"
#include "host/sim/sim_release_data.h"
#include "host/sim/sim_release_setup_data.h"

namespace zarn::host::sim {

class SimHost {
  public:
    SimHost();

    // Setup data over the record; its writes change the record. A null record stands for an
    // empty one.
    std::shared_ptr<SimReleaseSetupData> MakeSetupData(std::shared_ptr<SetupRecord> record) const;
    // Release data of one document released with the record's settings.
    std::shared_ptr<SimReleaseData> MakeReleaseData(std::shared_ptr<SetupRecord> record,
                                                    Batch batch, Document document,
                                                    ReleaseSession session = {}) const;

    FailureInjector& Failures() const { return context_->failures; }
    Journal& JournalOfWrites() const { return context_->journal; }

  private:
    std::shared_ptr<SimContext> context_;
};

}  // namespace zarn::host::sim
