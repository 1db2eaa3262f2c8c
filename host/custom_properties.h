#pragma once

#include <string>

#include "host/capture_host.h"

namespace zarn::host {

// Sets `value` to `defaultValue`, then reads the property of that name; on success `value`
// becomes the stored text, even an empty one. True when both the member and its value could
// be read.
[[nodiscard]] bool GetCustomProperty(ICustomProperties& properties, const std::u16string& name,
                                     std::u16string& value,
                                     const std::u16string& defaultValue = {});

// Replaces the property: removes the member of that name (a missing one is fine), then adds it.
// True when the add succeeded.
[[nodiscard]] bool SetCustomProperty(ICustomProperties& properties, const std::u16string& name,
                                     const std::u16string& value);

}  // namespace zarn::host
