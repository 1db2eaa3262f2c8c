#include "host/sim/sim_host.h"

#include <utility>

namespace zarn::host::sim {

SimHost::SimHost() : context_(std::make_shared<SimContext>()) {}

std::shared_ptr<SimReleaseSetupData> SimHost::MakeSetupData(
    std::shared_ptr<SetupRecord> record) const {
    return std::make_shared<SimReleaseSetupData>(context_, std::move(record));
}

std::shared_ptr<SimReleaseData> SimHost::MakeReleaseData(std::shared_ptr<SetupRecord> record,
                                                         Batch batch, Document document,
                                                         ReleaseSession session) const {
    return std::make_shared<SimReleaseData>(context_, std::move(record), std::move(batch),
                                            std::move(document), std::move(session));
}

}  // namespace zarn::host::sim
