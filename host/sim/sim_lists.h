#pragma once

// The read-only lists: index fields and batch variable names of the setup record, image files
// of a document.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/capture_host.h"
#include "host/sim/sim_context.h"
#include "host/sim/sim_data.h"

namespace zarn::host::sim {

// A name key looks up a field name.
class SimIndexFields : public IIndexFields {
  public:
    SimIndexFields(std::shared_ptr<SimContext> context,
                   std::shared_ptr<const std::vector<IndexFieldDefinition>> fields);

    HResult GetItem(const CollectionKey& key, std::shared_ptr<IIndexField>& field) override;
    HResult GetCount(std::int32_t& count) override;

  private:
    std::shared_ptr<SimContext> context_;
    std::shared_ptr<const std::vector<IndexFieldDefinition>> fields_;
};

// A name key looks up a file name.
class SimImageFiles : public IImageFiles {
  public:
    SimImageFiles(std::shared_ptr<SimContext> context, std::shared_ptr<const Document> document);

    HResult GetItem(const CollectionKey& key, std::shared_ptr<IImageFile>& file) override;
    HResult GetCount(std::int32_t& count) override;
    HResult GetContainsNonImageFile(std::int32_t& contains) override;

  private:
    std::shared_ptr<SimContext> context_;
    std::shared_ptr<const Document> document_;
};

// Enumerates the names as they were when it was made; kFalse at the end.
class SimBatchVariableNames : public INameEnumerator {
  public:
    SimBatchVariableNames(std::shared_ptr<SimContext> context, std::vector<std::u16string> names);

    HResult Next(std::u16string& name) override;

  private:
    std::shared_ptr<SimContext> context_;
    std::vector<std::u16string> names_;
    std::size_t next_ = 0;
};

}  // namespace zarn::host::sim
