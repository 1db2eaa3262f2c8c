#include "release/key_fields.h"

#include "host/custom_properties.h"
#include "release/stored_names.h"

namespace zarn {
namespace {

// The stored key name for a destination, inserted exactly as the host reports it.
bool KeyNameFor(host::IReleaseData& data, const std::u16string& destination,
                std::u16string& keyName) {
    std::shared_ptr<host::ICustomProperties> properties;
    if (Failed(data.GetCustomProperties(properties)) || !properties)
        return false;
    return host::GetCustomProperty(*properties, KeyNameProperty(destination), keyName);
}

}  // namespace

void AddSplitValue(MultipartBody& body, const std::u16string& name, std::u16string_view value,
                   std::u16string_view separator) {
    while (!value.empty()) {
        std::size_t at = value.find(separator);
        body.AddTextField(name, value.substr(0, at));
        value = at == std::u16string_view::npos ? std::u16string_view{}
                                                : value.substr(at + separator.size());
    }
}

bool AddTableRows(MultipartBody& body, const std::u16string& name, host::IValue& value) {
    std::shared_ptr<host::IRowValues> rows;
    if (Failed(value.GetRowValues(rows)) || !rows)
        return false;
    std::int32_t count = 0;
    if (Failed(rows->Count(count)))
        return false;
    for (std::int32_t row = 1; row <= count; ++row) {
        std::shared_ptr<host::IValue> member;
        const HResult hr = rows->Item(row, member);
        if (hr == kBadIndex)
            break;  // the count said more than there is
        if (Failed(hr) || !member)
            continue;
        std::u16string text;
        if (Failed(member->GetValue(text)))
            continue;
        body.AddTextField(name, text);
    }
    return true;
}

void AddKeyFields(host::IReleaseData& data, host::IValues& values, std::int32_t count,
                  const std::u16string& rowSeparator, MultipartBody& body) {
    for (std::int32_t index = 1; index <= count; ++index) {
        std::shared_ptr<host::IValue> value;
        const HResult hr = values.GetItem(index, value);
        if (hr == kBadIndex)
            break;  // the count said more than there is
        if (Failed(hr) || !value)
            continue;
        std::u16string destination;
        std::u16string text;
        // A read that fails leaves its text empty, and the value is then judged by that.
        static_cast<void>(value->GetDestination(destination));
        static_cast<void>(value->GetValue(text));

        std::u16string keyName;
        if (!KeyNameFor(data, destination, keyName))
            continue;

        if (!rowSeparator.empty()) {
            AddSplitValue(body, keyName, text, rowSeparator);
            continue;
        }
        std::u16string tableName;
        if (Succeeded(value->GetTableName(tableName)) && !tableName.empty()) {
            // A table whose rows cannot be counted adds no field, as every failure of this pass.
            static_cast<void>(AddTableRows(body, keyName, *value));
        } else {
            body.AddTextField(keyName, text);
        }
    }
}

}  // namespace zarn
