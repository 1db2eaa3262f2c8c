#include "host/sim/sim_values.h"

#include <functional>
#include <utility>

namespace zarn::host::sim {

SimValue::SimValue(std::shared_ptr<SimContext> context, std::shared_ptr<const ValueData> data,
                   const ValueOperationNames& operations)
    : context_(std::move(context)), data_(std::move(data)), operations_(operations) {}

HResult SimValue::GetDestination(std::u16string& destination) {
    return Answer(*context_, operations_.getDestination, data_->destination, destination);
}

HResult SimValue::GetValue(std::u16string& value) {
    return Answer(*context_, operations_.getValue, data_->value, value);
}

HResult SimValue::GetSourceType(std::int32_t& sourceType) {
    return Answer(*context_, operations_.getSourceType, data_->sourceType, sourceType);
}

HResult SimValue::GetSourceName(std::u16string& sourceName) {
    return Answer(*context_, operations_.getSourceName, data_->sourceName, sourceName);
}

HResult SimValue::GetTableName(std::u16string& tableName) {
    return Answer(*context_, operations_.getTableName, data_->tableName, tableName);
}

HResult SimValue::GetRowValues(std::shared_ptr<IRowValues>& rows) {
    std::shared_ptr<IRowValues> made = std::make_shared<SimRowValues>(context_, data_);
    return Answer(*context_, operations_.getRowValues, made, rows);
}

SimRowValues::SimRowValues(std::shared_ptr<SimContext> context,
                           std::shared_ptr<const ValueData> column)
    : context_(std::move(context)), column_(std::move(column)) {}

HResult SimRowValues::Item(std::int32_t position, std::shared_ptr<IValue>& row) {
    return Fetch(*context_, "RowValues.Item", CollectionKey(position), column_->rows,
                 std::identity{}, row, [this](std::size_t index) -> std::shared_ptr<IValue> {
                     auto data = std::make_shared<ValueData>(*column_);
                     data->value = column_->rows[index];
                     data->rows.clear();
                     return std::make_shared<SimValue>(context_, std::move(data),
                                                       kRowValueOperations);
                 });
}

HResult SimRowValues::Count(std::int32_t& count) {
    return Answer(*context_, "RowValues.Count", static_cast<std::int32_t>(column_->rows.size()),
                  count);
}

SimValues::SimValues(std::shared_ptr<SimContext> context,
                     std::shared_ptr<const std::vector<ValueData>> values)
    : context_(std::move(context)), values_(std::move(values)) {}

HResult SimValues::GetItem(const CollectionKey& key, std::shared_ptr<IValue>& value) {
    return Fetch(*context_, "Values.GetItem", key, *values_, &ValueData::destination, value,
                 [this](std::size_t index) -> std::shared_ptr<IValue> {
                     return std::make_shared<SimValue>(
                         context_, std::shared_ptr<const ValueData>(values_, &(*values_)[index]),
                         kValueOperations);
                 });
}

HResult SimValues::GetCount(std::int32_t& count) {
    return Answer(*context_, "Values.GetCount", static_cast<std::int32_t>(values_->size()), count);
}

}  // namespace zarn::host::sim
