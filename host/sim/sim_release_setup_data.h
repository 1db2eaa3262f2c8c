#pragma once

#include <memory>
#include <string>

#include "host/capture_host.h"
#include "host/sim/sim_context.h"
#include "host/sim/sim_data.h"

namespace zarn::host::sim {

// ReleaseSetupData over a setup record: the writes of its collections change the record.
class SimReleaseSetupData : public IReleaseSetupData {
  public:
    SimReleaseSetupData(std::shared_ptr<SimContext> context, std::shared_ptr<SetupRecord> record);

    HResult GetDocClassName(std::u16string& name) override;
    HResult GetBatchClassName(std::u16string& name) override;
    HResult GetUser(std::u16string& userName) override;
    HResult GetPassword(std::u16string& password) override;
    HResult GetCustomProperties(std::shared_ptr<ICustomProperties>& properties) override;
    HResult GetLinks(std::shared_ptr<ILinks>& links) override;
    HResult GetIndexFields(std::shared_ptr<IIndexFields>& fields) override;
    HResult GetBatchVariableNames(std::shared_ptr<INameEnumerator>& names) override;
    HResult Apply() override;
    HResult GetName(std::u16string& name) override;
    HResult PutName(const std::u16string& name) override;

  private:
    std::shared_ptr<SimContext> context_;
    std::shared_ptr<SetupRecord> record_;
};

}  // namespace zarn::host::sim
