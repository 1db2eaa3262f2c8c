#pragma once

// Links of the setup record: kept in the order added.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/capture_host.h"
#include "host/sim/sim_context.h"
#include "host/sim/sim_data.h"

namespace zarn::host::sim {

// A link as it was when fetched.
class SimLink : public ILink {
  public:
    SimLink(std::shared_ptr<SimContext> context, Link link);

    HResult GetSource(std::u16string& source) override;
    HResult GetSourceType(std::int32_t& sourceType) override;
    HResult GetDestination(std::u16string& destination) override;

  private:
    std::shared_ptr<SimContext> context_;
    Link link_;
};

// Works on the record's links in place; a name key looks up a destination.
class SimLinks : public ILinks {
  public:
    SimLinks(std::shared_ptr<SimContext> context, std::shared_ptr<std::vector<Link>> links);

    HResult GetItem(const CollectionKey& key, std::shared_ptr<ILink>& link) override;
    HResult GetCount(std::int32_t& count) override;
    HResult Add(const std::u16string& source, std::int32_t sourceType,
                const std::u16string& destination) override;
    HResult RemoveAll() override;

  private:
    std::shared_ptr<SimContext> context_;
    std::shared_ptr<std::vector<Link>> links_;
};

}  // namespace zarn::host::sim
