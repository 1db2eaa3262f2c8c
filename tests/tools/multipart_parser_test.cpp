#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tools/docstore_server/multipart_parser.h"

namespace zarn::docstore {
namespace {

using ::testing::HasSubstr;

constexpr char kBoundary[] = "---------------------------zarnRel";

std::string Delimiter() {
    return std::string("--") + kBoundary;
}

std::string TextPart(const std::string& name, const std::string& value) {
    return Delimiter() + "\r\nContent-Disposition: form-data; name=\"" + name + "\"\r\n\r\n" +
           value + "\r\n";
}

std::vector<FormPart> Parse(const std::string& body) {
    std::vector<FormPart> parts;
    std::string error;
    EXPECT_TRUE(ParseMultipart(body, kBoundary, parts, error)) << error;
    return parts;
}

std::string ErrorOf(const std::string& body) {
    std::vector<FormPart> parts;
    std::string error;
    EXPECT_FALSE(ParseMultipart(body, kBoundary, parts, error));
    return error;
}

TEST(MultipartParserTest, TheClosingDelimiterMayEndTheBodyWithOrWithoutItsLineBreaks) {
    const std::string body = TextPart("docType", "AB") + Delimiter() + "--";
    for (const std::string tail : {"", "\r\n", "\r\n\r\n", "\r\nepilogue"}) {
        const std::vector<FormPart> parts = Parse(body + tail);
        ASSERT_EQ(parts.size(), 1u);
        EXPECT_EQ(parts[0].name, "docType");
        EXPECT_EQ(parts[0].content, "AB");
        EXPECT_FALSE(parts[0].fileName);
    }
    EXPECT_TRUE(Parse(Delimiter() + "--").empty());
}

TEST(MultipartParserTest, KeepsPartsInOrderWithEmptyValuesFilesAndRepeatedNames) {
    const std::string file = std::string("\0\r\n--not-a-boundary\r\n\xff", 23);
    const std::vector<FormPart> parts =
        Parse("preamble\r\n" + TextPart("Tag", "a") + TextPart("description", "") + Delimiter() +
              "\r\nContent-Disposition: form-data; name=\"document\"; filename=\"scan 1.tif\"\r\n"
              "Content-Type: text/plain\r\n\r\n" +
              file + "\r\n" + TextPart("Tag", "b") + Delimiter() + "--");
    ASSERT_EQ(parts.size(), 4u);
    EXPECT_EQ(parts[0].name, "Tag");
    EXPECT_EQ(parts[1].content, "");
    EXPECT_EQ(parts[2].name, "document");
    EXPECT_EQ(parts[2].fileName.value_or("(none)"), "scan 1.tif");
    EXPECT_EQ(parts[2].content, file);
    EXPECT_EQ(parts[3].content, "b");
}

TEST(MultipartParserTest, NamesWithQuotesAreTakenUpToTheirLastQuote) {
    // The connector writes names unescaped.
    const std::vector<FormPart> parts =
        Parse(TextPart("say \"hi\"", "x") + Delimiter() +
              "\r\ncontent-disposition: form-data; name=\"f\"; filename=\"a\"b.txt\"\r\n\r\n"
              "y\r\n" +
              Delimiter() + "--");
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].name, "say \"hi\"");
    EXPECT_EQ(parts[1].name, "f");
    EXPECT_EQ(parts[1].fileName.value_or("(none)"), "a\"b.txt");
}

TEST(MultipartParserTest, ABodyThatIsNotWellFormedIsRefusedWithAReason) {
    EXPECT_THAT(ErrorOf("no delimiter at all"), HasSubstr("no part"));
    EXPECT_THAT(ErrorOf(TextPart("docType", "AB")), HasSubstr("ends inside part \"docType\""));
    EXPECT_THAT(ErrorOf(Delimiter() + "\r\nContent-Disposition: form-data"),
                HasSubstr("do not end"));
    EXPECT_THAT(
        ErrorOf(Delimiter() + "\r\nContent-Type: text/plain\r\n\r\nx\r\n" + Delimiter() + "--"),
        HasSubstr("part 1 has no name"));
    EXPECT_THAT(ErrorOf(Delimiter() + "garbage"), HasSubstr("not followed by CR LF"));
}

TEST(MultipartParserTest, TheBoundaryComesFromTheContentType) {
    EXPECT_EQ(MultipartBoundary(std::string("multipart/form-data; boundary=") + kBoundary),
              kBoundary);
    EXPECT_EQ(MultipartBoundary("Multipart/Form-Data; boundary=\"a b\"; charset=x"), "a b");
    EXPECT_FALSE(MultipartBoundary("multipart/form-data"));
    EXPECT_FALSE(MultipartBoundary("multipart/form-data; boundary="));
    EXPECT_FALSE(MultipartBoundary("text/plain; boundary=x"));
}

}  // namespace
}  // namespace zarn::docstore
