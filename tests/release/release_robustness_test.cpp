#include <climits>
#include <thread>

#include "release/current_release_data.h"
#include "release/release_log.h"
#include "tests/release/release_fixture.h"
#include "tests/support/memory_file_system.h"

namespace zarn::test {
namespace {

class ReleaseRobustnessTest : public ReleaseFixture {};

TEST_F(ReleaseRobustnessTest, ReadErrorInTheDocumentFilePostsNothing) {
    StoreServerSettings();
    document.imageFiles = {u"/data/broken.tif"};
    // One chunk and then a read error, as a disk error part-way would give.
    MemoryFileSystem files;
    files.files[u"/data/broken.tif"] = {std::string(10, 'x'), 1};
    Services failing{files, services.http, services.xml, services.texts, services.ui};
    EXPECT_EQ(ReleaseWith(failing), host::KFX_REL_ERROR);
    EXPECT_TRUE(server.Requests().empty());
    auto log = LogLines();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].message, u"Failed to read document file /data/broken.tif");
    EXPECT_EQ(SentMessages().size(), 1u);
}

// The host's release data, with a Values collection whose count claims two billion members.
class CountThatLies : public host::IReleaseData {
  public:
    explicit CountThatLies(std::shared_ptr<host::IReleaseData> data) : data_(std::move(data)) {}

    HResult GetValues(std::shared_ptr<host::IValues>& values) override {
        std::shared_ptr<host::IValues> real;
        HResult hr = data_->GetValues(real);
        if (Succeeded(hr))
            values = std::make_shared<Values>(real);
        return hr;
    }
    HResult LogError(std::int32_t err1, std::int32_t err2, std::int32_t err3,
                     const std::u16string& message, const std::u16string& module,
                     std::int32_t line) override {
        return data_->LogError(err1, err2, err3, message, module, line);
    }
    HResult GetUser(std::u16string& name) override { return data_->GetUser(name); }
    HResult GetPassword(std::u16string& password) override { return data_->GetPassword(password); }
    HResult GetCustomProperties(std::shared_ptr<host::ICustomProperties>& properties) override {
        return data_->GetCustomProperties(properties);
    }
    HResult GetImageFiles(std::shared_ptr<host::IImageFiles>& files) override {
        return data_->GetImageFiles(files);
    }
    HResult SendDocumentMessage(const std::u16string& message, std::int32_t error,
                                std::int32_t info) override {
        return data_->SendDocumentMessage(message, error, info);
    }
    HResult GetKofaxPDFFileName(std::u16string& name) override {
        return data_->GetKofaxPDFFileName(name);
    }
    HResult GetRowSeparator(std::u16string& separator) override {
        return data_->GetRowSeparator(separator);
    }

  private:
    class Values : public host::IValues {
      public:
        explicit Values(std::shared_ptr<host::IValues> real) : real_(std::move(real)) {}
        HResult GetItem(const host::CollectionKey& key,
                        std::shared_ptr<host::IValue>& value) override {
            return real_->GetItem(key, value);
        }
        HResult GetCount(std::int32_t& count) override {
            count = INT32_MAX;
            return kOk;
        }

      private:
        std::shared_ptr<host::IValues> real_;
    };

    std::shared_ptr<host::IReleaseData> data_;
};

TEST_F(ReleaseRobustnessTest, ACountThatLiesEndsAtTheFirstMissingMember) {
    StoreServerSettings();
    record->links = {{u"Acme", host::KFX_REL_TEXTCONSTANT, u"00"}};
    record->customProperties.push_back({u"docTypeKeyName[00]", u"Supplier"});
    document.imageFiles = {MakeFile("scan.tif", "TIFF")};
    ReleaseScript script(services);
    script.SetDocumentData(
        std::make_shared<CountThatLies>(host.MakeReleaseData(record, batch, document, session)));
    EXPECT_EQ(script.ReleaseDoc(), host::KFX_REL_SUCCESS);
    EXPECT_EQ(PartContent("Supplier"), "Acme");
    // Each member read once, then the first position past them ends the loop.
    EXPECT_LT(host.Failures().CallCount("Values.GetItem"), 100);
}

TEST_F(ReleaseRobustnessTest, ReleaseWithoutDocumentDataFails) {
    ReleaseScript script(services);
    EXPECT_EQ(script.ReleaseDoc(), host::KFX_REL_ERROR);
    script.SetDocumentData(host.MakeReleaseData(record, batch, document, session));
    script.SetDocumentData(nullptr);
    EXPECT_EQ(script.ReleaseDoc(), host::KFX_REL_ERROR);
    EXPECT_TRUE(LogLines().empty());  // nothing current to log to
    EXPECT_EQ(script.CloseScript(), host::KFX_REL_SUCCESS);
}

TEST_F(ReleaseRobustnessTest, LongMessagesAreCutToTheLogBuffer) {
    CurrentReleaseData::Set(host.MakeReleaseData(record, batch, document, session));
    LogReleaseMessage(1, __LINE__, std::u16string(5000, u'e'));
    CurrentReleaseData::Clear();
    auto log = LogLines();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].message, std::u16string(kMaxLogMessage, u'e'));
    EXPECT_EQ(SentMessages(), std::vector<std::u16string>{log[0].message});
}

TEST_F(ReleaseRobustnessTest, LogGoesToTheLastDataHandedToAnyScript) {
    ReleaseScript first(services);
    ReleaseScript second(services);
    auto firstData = host.MakeReleaseData(record, batch, document, session);
    host::sim::SimHost otherHost;
    auto secondData = otherHost.MakeReleaseData(record, batch, document, session);
    first.SetDocumentData(firstData);
    second.SetDocumentData(secondData);
    EXPECT_EQ(first.DocumentData(), firstData);
    EXPECT_EQ(CurrentReleaseData::Get(), secondData);

    // No server stored: fails and logs to the current data.
    EXPECT_EQ(first.ReleaseDoc(), host::KFX_REL_ERROR);
    EXPECT_TRUE(LogLines().empty());
    EXPECT_EQ(otherHost.JournalOfWrites().Entries("ReleaseData.LogError").size(), 1u);

    first.CloseScript();
    EXPECT_EQ(CurrentReleaseData::Get(), nullptr);
    EXPECT_EQ(first.DocumentData(), nullptr);
    EXPECT_EQ(second.DocumentData(), secondData);
}

TEST_F(ReleaseRobustnessTest, ScriptsOnSeveralThreadsShareTheCurrentDataSafely) {
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 200; ++i) {
                ReleaseScript script(services);
                script.SetDocumentData(host.MakeReleaseData(record, batch, document, session));
                LogReleaseMessage(0, __LINE__, u"tick");
                script.CloseScript();
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_LE(LogLines().size(), 800u);
    EXPECT_EQ(CurrentReleaseData::Get(), nullptr);
}

}  // namespace
}  // namespace zarn::test
