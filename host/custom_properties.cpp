#include "host/custom_properties.h"

namespace zarn::host {

bool GetCustomProperty(ICustomProperties& properties, const std::u16string& name,
                       std::u16string& value, const std::u16string& defaultValue) {
    value = defaultValue;
    std::shared_ptr<ICustomProperty> property;
    if (Failed(properties.GetItem(name, property)) || !property)
        return false;
    std::u16string stored;
    if (Failed(property->GetValue(stored)))
        return false;
    value = std::move(stored);
    return true;
}

bool SetCustomProperty(ICustomProperties& properties, const std::u16string& name,
                       const std::u16string& value) {
    // A member that is not there cannot be removed, and need not be.
    static_cast<void>(properties.Remove(name));
    return Succeeded(properties.Add(name, value));
}

}  // namespace zarn::host
