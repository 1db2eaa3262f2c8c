#pragma once

#include <memory>
#include <set>
#include <string>

#include "common/services.h"
#include "transport/http_request.h"

namespace zarn::tools {

// Request objects over those of `services` that report every reply with status 200 that is
// not a catalogue document (not well-formed XML, nested too deeply, or rooted elsewhere than
// ZARN) as a failed request, in the message the system shows for one. The system itself loads
// such a reply as an empty catalogue, which a command would print as a success.
class CatalogueReplyCheck final : public HttpRequestFactory {
  public:
    explicit CatalogueReplyCheck(const Services& services) : services_(services) {}

    HResult Create(std::unique_ptr<HttpRequest>& request) override;

    // Whether the reply from this URL was reported.
    bool Refused(const std::u16string& url) const { return refused_.count(url) != 0; }

    // Reports the reply from `url` when the document is no catalogue document.
    void Check(const std::u16string& url, const XmlDocument& document);

  private:
    Services services_;
    std::set<std::u16string> refused_;
};

}  // namespace zarn::tools
