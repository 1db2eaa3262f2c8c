#include "release/release_values.h"

namespace zarn {

bool GetValue(host::IValues& values, const std::u16string& destination, std::u16string& text) {
    std::shared_ptr<host::IValue> value;
    if (Failed(values.GetItem(destination, value)) || !value)
        return false;
    std::u16string read;
    if (Failed(value->GetValue(read)))
        return false;
    text = std::move(read);
    return !text.empty();
}

}  // namespace zarn
