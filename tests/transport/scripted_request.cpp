#include "tests/transport/scripted_request.h"

#include "transport/xml_document.h"

namespace zarn::test {
namespace {

using Step = RequestScript::Step;

class ScriptedRequest : public HttpRequest {
  public:
    explicit ScriptedRequest(RequestScript& script) : script_(script) { ++script_.created; }
    ~ScriptedRequest() override { ++script_.released; }

    HResult Open(std::u16string_view method, std::u16string_view url, bool asynchronous,
                 std::u16string_view user, std::u16string_view password) override {
        script_.method = method;
        script_.url = url;
        script_.asynchronous = asynchronous;
        script_.user = user;
        script_.password = password;
        return Result(Step::kOpen);
    }
    HResult SetRequestHeader(std::u16string_view name, std::u16string_view value) override {
        script_.headers.emplace_back(name, value);
        if (script_.failing == Step::kHeader &&
            static_cast<int>(script_.headers.size()) == script_.failingHeader) {
            return kFail;
        }
        return kOk;
    }
    HResult Send(const ByteStream* body, std::uint64_t length) override {
        ++script_.sends;
        script_.body = body;
        script_.length = length;
        return script_.failing == Step::kSend ? script_.sendFailure : kOk;
    }
    HResult GetStatus(std::int32_t& status) override {
        status = script_.status;
        return Result(Step::kStatus);
    }
    HResult GetStatusText(std::u16string& text) override {
        text = script_.statusText;
        return Result(Step::kStatusText);
    }
    HResult GetResponseText(std::u16string& text) override {
        text = script_.responseText;
        return Result(Step::kResponseText);
    }
    HResult GetResponseXml(std::unique_ptr<XmlDocument>& document) override {
        if (script_.failing == Step::kResponseXml)
            return kFail;
        return PlatformXmlDocumentFactory().Create(document);
    }

  private:
    HResult Result(Step step) const { return script_.failing == step ? kFail : kOk; }

    RequestScript& script_;
};

}  // namespace

HResult ScriptedRequestFactory::Create(std::unique_ptr<HttpRequest>& request) {
    if (script_.failing == Step::kCreate)
        return kOutOfMemory;
    request = std::make_unique<ScriptedRequest>(script_);
    return kOk;
}

}  // namespace zarn::test
