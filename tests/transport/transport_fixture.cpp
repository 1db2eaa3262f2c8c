#include "tests/transport/transport_fixture.h"

#include <algorithm>
#include <cstring>

#include "common/utf16_text.h"
#include "tests/support/test_http_factory.h"

namespace zarn::test {
namespace {

class MemoryFile : public ReadOnlyFile {
  public:
    MemoryFile(const MemoryFileSystem::File& file, std::u16string name)
        : file_(file), name_(std::move(name)) {}

    bool Read(void* buffer, std::size_t capacity, std::size_t& count) override {
        if (file_.failAfterReads >= 0 && reads_ >= file_.failAfterReads)
            return false;
        ++reads_;
        count = std::min(capacity, file_.content.size() - offset_);
        std::memcpy(buffer, file_.content.data() + offset_, count);
        offset_ += count;
        return true;
    }
    std::u16string Name() const override { return name_; }

  private:
    const MemoryFileSystem::File& file_;
    std::u16string name_;
    std::size_t offset_ = 0;
    int reads_ = 0;
};

}  // namespace

std::unique_ptr<ReadOnlyFile> MemoryFileSystem::OpenExclusive(const std::u16string& path) {
    auto found = files.find(path);
    if (found == files.end())
        return nullptr;
    std::size_t slash = path.find_last_of(u"/\\");
    return std::make_unique<MemoryFile>(found->second,
                                        slash == path.npos ? path : path.substr(slash + 1));
}

TransportServices::TransportServices() : TransportServices(TestHttpRequestFactory()) {}

TransportServices::TransportServices(std::unique_ptr<HttpRequestFactory> factory)
    : http(std::move(factory)),
      services{files, *http, PlatformXmlDocumentFactory(), PlatformTexts(), ui} {}

std::string Narrow(std::u16string_view text) {
    return ToUtf8(text);
}

}  // namespace zarn::test
