#include "host/sim/sim_custom_properties.h"

#include <algorithm>
#include <utility>

#include "host/sim/sim_text_item.h"

namespace zarn::host::sim {

SimCustomProperties::SimCustomProperties(std::shared_ptr<SimContext> context,
                                         std::shared_ptr<NamedTexts> properties)
    : context_(std::move(context)), properties_(std::move(properties)) {}

HResult SimCustomProperties::GetItem(const std::u16string& name,
                                     std::shared_ptr<ICustomProperty>& property) {
    return Fetch(*context_, "CustomProperties.GetItem", CollectionKey(name), *properties_,
                 &NamedTexts::value_type::first, property,
                 [this](std::size_t index) -> std::shared_ptr<ICustomProperty> {
                     return std::make_shared<SimTextItem>(context_, (*properties_)[index].second);
                 });
}

HResult SimCustomProperties::Add(const std::u16string& name, const std::u16string& value) {
    CollectionKey key = name;
    return Write(*context_, {"CustomProperties.Add", {name, value}, {}}, &key, [&] {
        if (FindText(*properties_, name)) {
            return kInvalidArg;
        }
        properties_->emplace_back(name, value);
        return kOk;
    });
}

HResult SimCustomProperties::Remove(const std::u16string& name) {
    CollectionKey key = name;
    return Write(*context_, {"CustomProperties.Remove", {name}, {}}, &key, [&] {
        auto found = std::find_if(properties_->begin(), properties_->end(),
                                  [&name](const auto& pair) { return pair.first == name; });
        if (found == properties_->end()) {
            return kBadIndex;
        }
        properties_->erase(found);
        return kOk;
    });
}

}  // namespace zarn::host::sim
