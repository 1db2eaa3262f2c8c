#pragma once

// ReleaseData.Values: the release values of one document, and the rows of table values.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
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

// The operation names of one kind of value: a release value, or a row of a table value.
struct ValueOperationNames {
    std::string_view getDestination;
    std::string_view getValue;
    std::string_view getSourceType;
    std::string_view getSourceName;
    std::string_view getTableName;
    std::string_view getRowValues;
};
inline constexpr ValueOperationNames kValueOperations = {
    "Value.GetDestination", "Value.GetValue",     "Value.GetSourceType",
    "Value.GetSourceName",  "Value.GetTableName", "Value.GetRowValues"};
inline constexpr ValueOperationNames kRowValueOperations = {
    "RowValue.GetDestination", "RowValue.GetValue",     "RowValue.GetSourceType",
    "RowValue.GetSourceName",  "RowValue.GetTableName", "RowValue.GetRowValues"};

// One release value, or one row of a table value, as `operations` names it.
class SimValue : public IValue {
  public:
    SimValue(std::shared_ptr<SimContext> context, std::shared_ptr<const ValueData> data,
             const ValueOperationNames& operations);

    HResult GetDestination(std::u16string& destination) override;
    HResult GetValue(std::u16string& value) override;
    HResult GetSourceType(std::int32_t& sourceType) override;
    HResult GetSourceName(std::u16string& sourceName) override;
    HResult GetTableName(std::u16string& tableName) override;
    // A value that is not a table column has no rows.
    HResult GetRowValues(std::shared_ptr<IRowValues>& rows) override;

  private:
    std::shared_ptr<SimContext> context_;
    std::shared_ptr<const ValueData> data_;
    const ValueOperationNames& operations_;
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
