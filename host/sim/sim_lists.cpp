#include "host/sim/sim_lists.h"

#include <functional>
#include <utility>

#include "host/sim/sim_text_item.h"

namespace zarn::host::sim {

SimIndexFields::SimIndexFields(std::shared_ptr<SimContext> context,
                               std::shared_ptr<const std::vector<IndexFieldDefinition>> fields)
    : context_(std::move(context)), fields_(std::move(fields)) {}

HResult SimIndexFields::GetItem(const CollectionKey& key, std::shared_ptr<IIndexField>& field) {
    return Fetch(*context_, "IndexFields.GetItem", key, *fields_, &IndexFieldDefinition::name,
                 field, [this](std::size_t index) -> std::shared_ptr<IIndexField> {
                     return std::make_shared<SimTextItem>(context_, (*fields_)[index].name);
                 });
}

HResult SimIndexFields::GetCount(std::int32_t& count) {
    return Answer(*context_, "IndexFields.GetCount", static_cast<std::int32_t>(fields_->size()),
                  count);
}

SimImageFiles::SimImageFiles(std::shared_ptr<SimContext> context,
                             std::shared_ptr<const Document> document)
    : context_(std::move(context)), document_(std::move(document)) {}

HResult SimImageFiles::GetItem(const CollectionKey& key, std::shared_ptr<IImageFile>& file) {
    const std::vector<std::u16string>& files = document_->imageFiles;
    return Fetch(*context_, "ImageFiles.GetItem", key, files, std::identity{}, file,
                 [&](std::size_t index) -> std::shared_ptr<IImageFile> {
                     return std::make_shared<SimTextItem>(context_, files[index]);
                 });
}

HResult SimImageFiles::GetCount(std::int32_t& count) {
    return Answer(*context_, "ImageFiles.GetCount",
                  static_cast<std::int32_t>(document_->imageFiles.size()), count);
}

HResult SimImageFiles::GetContainsNonImageFile(std::int32_t& contains) {
    return Answer(*context_, "ImageFiles.GetContainsNonImageFile", document_->containsNonImageFile,
                  contains);
}

SimBatchVariableNames::SimBatchVariableNames(std::shared_ptr<SimContext> context,
                                             std::vector<std::u16string> names)
    : context_(std::move(context)), names_(std::move(names)) {}

HResult SimBatchVariableNames::Next(std::u16string& name) {
    CollectionKey position = static_cast<std::int32_t>(next_ + 1);
    if (std::optional<HResult> injected =
            context_->failures.Enter("BatchVariableNames.Next", &position)) {
        return *injected;
    }
    if (next_ >= names_.size()) {
        return kFalse;
    }
    name = names_[next_++];
    return kOk;
}

}  // namespace zarn::host::sim
