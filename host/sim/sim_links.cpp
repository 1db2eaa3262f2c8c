#include "host/sim/sim_links.h"

#include <utility>

namespace zarn::host::sim {

SimLink::SimLink(std::shared_ptr<SimContext> context, Link link)
    : context_(std::move(context)), link_(std::move(link)) {}

HResult SimLink::GetSource(std::u16string& source) {
    return Answer(*context_, "Link.GetSource", link_.source, source);
}

HResult SimLink::GetSourceType(std::int32_t& sourceType) {
    return Answer(*context_, "Link.GetSourceType", link_.sourceType, sourceType);
}

HResult SimLink::GetDestination(std::u16string& destination) {
    return Answer(*context_, "Link.GetDestination", link_.destination, destination);
}

SimLinks::SimLinks(std::shared_ptr<SimContext> context, std::shared_ptr<std::vector<Link>> links)
    : context_(std::move(context)), links_(std::move(links)) {}

HResult SimLinks::GetItem(const CollectionKey& key, std::shared_ptr<ILink>& link) {
    return Fetch(*context_, "Links.GetItem", key, *links_, &Link::destination, link,
                 [this](std::size_t index) -> std::shared_ptr<ILink> {
                     return std::make_shared<SimLink>(context_, (*links_)[index]);
                 });
}

HResult SimLinks::GetCount(std::int32_t& count) {
    return Answer(*context_, "Links.GetCount", static_cast<std::int32_t>(links_->size()), count);
}

HResult SimLinks::Add(const std::u16string& source, std::int32_t sourceType,
                      const std::u16string& destination) {
    CollectionKey key = destination;
    return Write(*context_, {"Links.Add", {source, destination}, {sourceType}}, &key, [&] {
        links_->push_back(Link{source, sourceType, destination});
        return kOk;
    });
}

HResult SimLinks::RemoveAll() {
    return Write(*context_, {"Links.RemoveAll", {}, {}}, nullptr, [&] {
        links_->clear();
        return kOk;
    });
}

}  // namespace zarn::host::sim
