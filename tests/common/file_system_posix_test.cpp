#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/file_system.h"
#include "common/utf16_text.h"

namespace zarn {
namespace {

class FileSystemTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("zarn-fs-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::u16string Write(const std::string& name, const std::string& content) {
        std::ofstream(dir_ / name, std::ios::binary) << content;
        return FromUtf8((dir_ / name).string());
    }

    std::filesystem::path dir_;
    FileSystem& files_ = PlatformFileSystem();
};

TEST_F(FileSystemTest, ReadsAnExistingFileAndNamesIt) {
    std::u16string path = Write("scan.tif", "bytes");
    ASSERT_TRUE(files_.Exists(path));
    auto file = files_.OpenExclusive(path);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->Name(), u"scan.tif");
    char buffer[16];
    std::size_t count = 0;
    ASSERT_TRUE(file->Read(buffer, sizeof buffer, count));
    EXPECT_EQ(std::string(buffer, count), "bytes");
    ASSERT_TRUE(file->Read(buffer, sizeof buffer, count));
    EXPECT_EQ(count, 0u);
}

TEST_F(FileSystemTest, TakesBackslashAsSeparator) {
    Write("doc.pdf", "x");
    std::u16string path = FromUtf8(dir_.string()) + u"\\doc.pdf";
    EXPECT_TRUE(files_.Exists(path));
    auto file = files_.OpenExclusive(path);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->Name(), u"doc.pdf");
}

TEST_F(FileSystemTest, MissingLongAndEmptyPathsDoNotExist) {
    EXPECT_FALSE(files_.Exists(u""));
    EXPECT_FALSE(files_.Exists(FromUtf8(dir_.string()) + u"/missing"));
    EXPECT_FALSE(files_.Exists(u"/" + std::u16string(300, u'a')));
    EXPECT_EQ(files_.OpenExclusive(u""), nullptr);
    EXPECT_EQ(files_.OpenExclusive(FromUtf8(dir_.string()) + u"/missing"), nullptr);
}

TEST_F(FileSystemTest, RefusesDirectoriesAndLockedFiles) {
    EXPECT_EQ(files_.OpenExclusive(FromUtf8(dir_.string())), nullptr);

    std::u16string path = Write("locked.txt", "x");
    int holder = ::open(ToUtf8(path).c_str(), O_RDONLY);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_SH), 0);
    EXPECT_EQ(files_.OpenExclusive(path), nullptr);
    ::close(holder);
    EXPECT_NE(files_.OpenExclusive(path), nullptr);
}

TEST_F(FileSystemTest, OneExclusiveOpenAtATime) {
    std::u16string path = Write("once.txt", "x");
    auto first = files_.OpenExclusive(path);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(files_.OpenExclusive(path), nullptr);
}

}  // namespace
}  // namespace zarn
