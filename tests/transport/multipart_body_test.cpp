#include "transport/multipart_body.h"

#include <gtest/gtest.h>

#include "tests/transport/transport_fixture.h"

namespace zarn::test {
namespace {

constexpr char16_t kBoundary[] = u"---------------------------zarnRel";
constexpr char kDelimiter[] = "-----------------------------zarnRel\r\n";

std::string Bytes(const ByteStream& stream) {
    std::string bytes(stream.Size(), '\0');
    stream.Read(0, bytes.data(), bytes.size());
    return bytes;
}

std::string FileHeader(const std::string& name, const std::string& fileName) {
    return std::string(kDelimiter) + "Content-Disposition: form-data; name=\"" + name +
           "\"; filename=\"" + fileName + "\"\r\nContent-Type: text/plain\r\n\r\n";
}

class MultipartBodyTest : public ::testing::Test {
  protected:
    MemoryFileSystem files;
    MultipartBody body{kBoundary, files};
};

TEST_F(MultipartBodyTest, TextPartIsDelimiterNameLineEmptyLineAndValue) {
    EXPECT_TRUE(body.AddTextField(u"docType", u"AB"));
    EXPECT_EQ(Bytes(body.Stream()), std::string(kDelimiter) +
                                        "Content-Disposition: form-data; name=\"docType\"\r\n"
                                        "\r\n"
                                        "AB\r\n");
    EXPECT_EQ(body.Stream().Size(), 92u);
    EXPECT_EQ(body.Boundary(), kBoundary);
}

TEST_F(MultipartBodyTest, EmptyValueEndsThePartRightAfterTheEmptyLine) {
    body.AddTextField(u"description", u"");
    std::string bytes = Bytes(body.Stream());
    EXPECT_EQ(bytes.substr(bytes.size() - 11), "tion\"\r\n\r\n\r\n");
}

TEST_F(MultipartBodyTest, TextsAreWrittenAsUtf8WithoutQuotingOrEscaping) {
    body.AddTextField(u"na\"me", u"caf\u00E9\r\nx");
    std::string bytes = Bytes(body.Stream());
    EXPECT_NE(bytes.find("name=\"na\"me\"\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("caf\xC3\xA9\r\nx\r\n"), std::string::npos);
}

TEST_F(MultipartBodyTest, AppendingEmptyTextWritesNothing) {
    EXPECT_TRUE(body.AppendText(u""));
    EXPECT_EQ(body.Stream().Size(), 0u);
}

TEST_F(MultipartBodyTest, FilePartCarriesEveryByteOverManyChunks) {
    std::string content;
    for (int i = 0; i < 10000; ++i)
        content += static_cast<char>(i % 256);
    files.files[u"/scans/page.tif"] = {content};

    EXPECT_EQ(body.AddFile(u"document", u"page 1.tif", u"/scans/page.tif"), FileAddResult::kAdded);
    EXPECT_EQ(Bytes(body.Stream()), FileHeader("document", "page 1.tif") + content + "\r\n");
}

TEST_F(MultipartBodyTest, EmptyFileGivesHeaderEmptyLineAndLineEnd) {
    files.files[u"/scans/empty.txt"] = {""};
    EXPECT_EQ(body.AddFile(u"document", u"e.txt", u"/scans/empty.txt"), FileAddResult::kAdded);
    EXPECT_EQ(Bytes(body.Stream()), FileHeader("document", "e.txt") + "\r\n");
}

TEST_F(MultipartBodyTest, EmptyFileNameTakesTheLastComponentOfThePath) {
    files.files[u"C:\\Images\\batch 7\\doc.tif"] = {"x"};
    body.AddFile(u"document", u"", u"C:\\Images\\batch 7\\doc.tif");
    EXPECT_EQ(Bytes(body.Stream()), FileHeader("document", "doc.tif") + "x\r\n");
}

TEST_F(MultipartBodyTest, FileThatCannotBeOpenedAppendsNothing) {
    body.AddTextField(u"docType", u"AB");
    EXPECT_EQ(body.AddFile(u"document", u"", u"/missing.tif"), FileAddResult::kNotOpened);
    EXPECT_EQ(body.Stream().Size(), 92u);
}

TEST_F(MultipartBodyTest, ReadErrorPartWayIsReported) {
    files.files[u"/bad.tif"] = {std::string(10000, 'x'), 1};
    EXPECT_EQ(body.AddFile(u"document", u"", u"/bad.tif"), FileAddResult::kReadFailed);

    MultipartBody atOnce{kBoundary, files};
    files.files[u"/unreadable.tif"] = {"abc", 0};
    EXPECT_EQ(atOnce.AddFile(u"document", u"", u"/unreadable.tif"), FileAddResult::kReadFailed);
}

}  // namespace
}  // namespace zarn::test
