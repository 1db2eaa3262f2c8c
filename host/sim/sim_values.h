#pragma once

// ReleaseData.Values: the release values of one document, and the rows of table values.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/capture_host.h"
#include "host/sim/sim_context.h"

namespace zarn::host::sim {

struct ValueData {
    std::u16string destination;
    std::u16string value;
    std::int32_t sourceType = -1;
    std::u16string sourceName;
    std::u16string tableName;  // empty unless the source is a table column
    std::vector<std::u16string> rows;
};

// One release value. `kind` names its operations: "Value", or "RowValue" for a row of a table.
class SimValue : public IValue {
  public:
    SimValue(std::shared_ptr<SimContext> context, std::shared_ptr<const ValueData> data,
             std::string kind);

    HResult GetDestination(std::u16string& destination) override;
    HResult GetValue(std::u16string& value) override;
    HResult GetSourceType(std::int32_t& sourceType) override;
    HResult GetSourceName(std::u16string& sourceName) override;
    HResult GetTableName(std::u16string& tableName) override;
    // A value that is not a table column has no rows.
    HResult GetRowValues(std::shared_ptr<IRowValues>& rows) override;

  private:
    std::string Operation(const char* method) const;

    std::shared_ptr<SimContext> context_;
    std::shared_ptr<const ValueData> data_;
    std::string kind_;
};

// The rows of a table value; each row answers the column's own data with the row's text as
// its Value.
class SimRowValues : public IRowValues {
  public:
    SimRowValues(std::shared_ptr<SimContext> context, std::shared_ptr<const ValueData> column);

    HResult Item(std::int32_t position, std::shared_ptr<IValue>& row) override;
    HResult Count(std::int32_t& count) override;

  private:
    std::shared_ptr<SimContext> context_;
    std::shared_ptr<const ValueData> column_;
};

// Looked up by position, or by destination (the first member that has it).
class SimValues : public IValues {
  public:
    SimValues(std::shared_ptr<SimContext> context,
              std::shared_ptr<const std::vector<ValueData>> values);

    HResult GetItem(const CollectionKey& key, std::shared_ptr<IValue>& value) override;
    HResult GetCount(std::int32_t& count) override;

  private:
    std::shared_ptr<SimContext> context_;
    std::shared_ptr<const std::vector<ValueData>> values_;
};

}  // namespace zarn::host::sim
