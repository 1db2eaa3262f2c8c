#include "tests/release/release_fixture.h"

#include <unistd.h>

#include <fstream>

#include "common/utf16_text.h"

namespace zarn::test {

ReleaseFixture::ReleaseFixture()
    : services{PlatformFileSystem(), PlatformHttpRequestFactory(), PlatformXmlDocumentFactory(),
               PlatformTexts(), ui} {
    folder_ = std::filesystem::temp_directory_path() /
              ("zarn-release-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
}

ReleaseFixture::~ReleaseFixture() {
    std::filesystem::remove_all(folder_);
}

void ReleaseFixture::StoreServerSettings(const std::u16string& store) {
    record->customProperties.push_back({u"serverURL", server.Url()});
    record->customProperties.push_back({u"docStore", store});
}

std::u16string ReleaseFixture::MakeFile(const std::string& name, const std::string& content) {
    std::ofstream(folder_ / name, std::ios::binary) << content;
    return FromUtf8((folder_ / name).string());
}

std::u16string ReleaseFixture::Folder() const {
    return FromUtf8(folder_.string());
}

host::KfxReturnValue ReleaseFixture::ReleaseWith(const Services& with) {
    ReleaseScript script(with);
    script.SetDocumentData(host.MakeReleaseData(record, batch, document, session));
    EXPECT_EQ(script.OpenScript(), host::KFX_REL_SUCCESS);
    host::KfxReturnValue result = script.ReleaseDoc();
    EXPECT_EQ(script.CloseScript(), host::KFX_REL_SUCCESS);
    return result;
}

std::vector<ReleaseFixture::LogLine> ReleaseFixture::LogLines() const {
    std::vector<LogLine> lines;
    for (const auto& entry : host.JournalOfWrites().Entries("ReleaseData.LogError")) {
        EXPECT_EQ(entry.texts.at(1), u"releaseScript");
        lines.push_back({entry.numbers.at(0), entry.texts.at(0)});
    }
    return lines;
}

std::vector<std::u16string> ReleaseFixture::SentMessages() const {
    std::vector<std::u16string> messages;
    for (const auto& entry : host.JournalOfWrites().Entries("ReleaseData.SendMessage")) {
        EXPECT_EQ(entry.numbers.at(1), host::KFX_REL_DOC_ERROR);
        messages.push_back(entry.texts.at(0));
    }
    return messages;
}

std::vector<docstore::FormPart> ReleaseFixture::Parts() const {
    auto requests = server.Requests();
    EXPECT_EQ(requests.size(), 1u);
    if (requests.empty())
        return {};
    std::vector<docstore::FormPart> parts;
    std::string error;
    EXPECT_TRUE(
        docstore::ParseMultipart(requests.front().body, ToUtf8(kDocumentBoundary), parts, error))
        << error;
    return parts;
}

std::string ReleaseFixture::PartContent(const std::string& name) const {
    for (const docstore::FormPart& part : Parts()) {
        if (part.name == name)
            return part.content;
    }
    ADD_FAILURE() << "no part " << name;
    return {};
}

bool ReleaseFixture::HasPart(const std::string& name) const {
    for (const docstore::FormPart& part : Parts()) {
        if (part.name == name)
            return true;
    }
    return false;
}

}  // namespace zarn::test
