#include "host/sim/sim_release_setup_data.h"

#include <utility>

#include "host/sim/sim_custom_properties.h"
#include "host/sim/sim_links.h"
#include "host/sim/sim_lists.h"

namespace zarn::host::sim {

SimReleaseSetupData::SimReleaseSetupData(std::shared_ptr<SimContext> context,
                                         std::shared_ptr<SetupRecord> record)
    : context_(std::move(context)),
      record_(record ? std::move(record) : std::make_shared<SetupRecord>()) {}

HResult SimReleaseSetupData::GetDocClassName(std::u16string& name) {
    return Answer(*context_, "ReleaseSetupData.GetDocClassName", record_->docClassName, name);
}

HResult SimReleaseSetupData::GetBatchClassName(std::u16string& name) {
    return Answer(*context_, "ReleaseSetupData.GetBatchClassName", record_->batchClassName, name);
}

HResult SimReleaseSetupData::GetUser(std::u16string& userName) {
    return Answer(*context_, "ReleaseSetupData.GetUserName", record_->userName, userName);
}

HResult SimReleaseSetupData::GetPassword(std::u16string& password) {
    return Answer(*context_, "ReleaseSetupData.GetPassword", record_->password, password);
}

HResult SimReleaseSetupData::GetCustomProperties(std::shared_ptr<ICustomProperties>& properties) {
    std::shared_ptr<ICustomProperties> made = std::make_shared<SimCustomProperties>(
        context_, std::shared_ptr<NamedTexts>(record_, &record_->customProperties));
    return Answer(*context_, "ReleaseSetupData.GetCustomProperties", made, properties);
}

HResult SimReleaseSetupData::GetLinks(std::shared_ptr<ILinks>& links) {
    std::shared_ptr<ILinks> made = std::make_shared<SimLinks>(
        context_, std::shared_ptr<std::vector<Link>>(record_, &record_->links));
    return Answer(*context_, "ReleaseSetupData.GetLinks", made, links);
}

HResult SimReleaseSetupData::GetIndexFields(std::shared_ptr<IIndexFields>& fields) {
    std::shared_ptr<IIndexFields> made = std::make_shared<SimIndexFields>(
        context_,
        std::shared_ptr<const std::vector<IndexFieldDefinition>>(record_, &record_->indexFields));
    return Answer(*context_, "ReleaseSetupData.GetIndexFields", made, fields);
}

HResult SimReleaseSetupData::GetBatchVariableNames(std::shared_ptr<INameEnumerator>& names) {
    std::shared_ptr<INameEnumerator> made =
        std::make_shared<SimBatchVariableNames>(context_, record_->batchVariableNames);
    return Answer(*context_, "ReleaseSetupData.GetBatchVariableNames", made, names);
}

HResult SimReleaseSetupData::Apply() {
    return Write(*context_, {"ReleaseSetupData.Apply", {}, {}}, nullptr, [] { return kOk; });
}

HResult SimReleaseSetupData::GetName(std::u16string& name) {
    return Answer(*context_, "ReleaseSetupData.GetName", record_->name, name);
}

HResult SimReleaseSetupData::PutName(const std::u16string& name) {
    return Write(*context_, {"ReleaseSetupData.PutName", {name}, {}}, nullptr, [&] {
        record_->name = name;
        return kOk;
    });
}

}  // namespace zarn::host::sim
