#include <gtest/gtest.h>

#include <fstream>

#include "tests/tools/temp_folder.h"
#include "tools/json/json_node.h"
#include "tools/json/located_json.h"

namespace zarn::tools {
namespace {

using nlohmann::json;

std::string ParseError(std::string_view text) {
    LocatedJson document;
    std::string error;
    EXPECT_FALSE(document.Parse(text, error));
    return error;
}

// "LINE:COLUMN" of the value at `pointer`.
std::string PlaceOf(const LocatedJson& document, const char* pointer) {
    const TextPosition position = document.PositionOf(json::json_pointer(pointer));
    return std::to_string(position.line) + ":" + std::to_string(position.column);
}

TEST(LocatedJsonTest, SyntaxErrorsNameTheLineAndColumnOfTheOffendingCharacter) {
    EXPECT_EQ(ParseError("{\n  \"a\": 1,\n  \"b\": }").substr(0, 5), "3:8: ");
    EXPECT_EQ(ParseError("[1, 2,, 3]").substr(0, 4), "1:7:");
    // Columns count characters: the two-byte é is one column.
    EXPECT_EQ(ParseError("{\"é\": x}").substr(0, 4), "1:7:");
    const std::string unterminated = ParseError("{\"a\": [1, 2");
    // The end of input is the place just after the last character.
    EXPECT_EQ(unterminated.substr(0, 5), "1:12:") << unterminated;
    EXPECT_NE(unterminated.find("unexpected end of input"), std::string::npos) << unterminated;
    EXPECT_EQ(ParseError("").substr(0, 4), "1:1:");
    // Of what the parser read before the error, only the end is quoted.
    std::string longLine = "[";
    for (int i = 0; i < 100000; ++i) {
        longLine += "[],";
    }
    EXPECT_EQ(ParseError(longLine + "x"),
              "1:300002: syntax error while parsing value - invalid literal; last read: "
              "'...[],[],[],[],[],[],[],[],[],[],[],[],[],x'");
}

TEST(LocatedJsonTest, RemembersWhereEachValueStartsAcrossCommentsAndNesting) {
    const std::string text =
        "// a batch\n"
        "{\n"
        "  \"documents\": [\n"
        "    /* first */ {\"name\": \"a\", \"pages\": 12},\n"
        "    {\"name\": \"b\"}\n"
        "  ]\n"
        "}\n";
    LocatedJson document;
    std::string error;
    ASSERT_TRUE(document.Parse(text, error)) << error;
    EXPECT_EQ(document.root()["documents"][1]["name"], "b");
    const auto at = [&document](const char* pointer) { return PlaceOf(document, pointer); };
    EXPECT_EQ(at(""), "2:1");
    EXPECT_EQ(at("/documents"), "3:16");
    EXPECT_EQ(at("/documents/0"), "4:17");
    EXPECT_EQ(at("/documents/0/pages"), "4:40");
    EXPECT_EQ(at("/documents/1/name"), "5:14");
}

TEST(LocatedJsonTest, KeepsPlacesInLongListsAndOfTheLastOfRepeatedNames) {
    std::string text = "{\"a\": [[0]], \"a\": [\n";
    for (int i = 0; i < 1000; ++i) {
        text += (i == 0 ? " " : ",") + std::string("{\"n\": [") + std::to_string(i) + "]}\n";
    }
    text += "]}";
    LocatedJson document;
    std::string error;
    ASSERT_TRUE(document.Parse(text, error)) << error;
    EXPECT_EQ(document.root()["a"].size(), 1000u);
    const auto at = [&document](const char* pointer) { return PlaceOf(document, pointer); };
    EXPECT_EQ(at("/a"), "1:19");
    EXPECT_EQ(at("/a/0"), "2:2");
    EXPECT_EQ(at("/a/999/n/0"), "1001:9");
    EXPECT_EQ(at("/a/1000"), "1:1");
}

class JsonNodeTest : public ::testing::Test {
  protected:
    std::string FailureOf(const std::string& text, void (*read)(const JsonNode&)) {
        JsonFile file;
        std::string error;
        EXPECT_TRUE(file.LoadText("batch.json", text, error)) << error;
        try {
            read(JsonNode(file));
        } catch (const JsonFormatError& failure) {
            return failure.what();
        }
        return "no error";
    }
};

TEST_F(JsonNodeTest, AMisspeltMemberIsNamedWithItsPlaceAndTheKnownNames) {
    EXPECT_EQ(FailureOf("{\n  \"setup\": {},\n  \"documnets\": []\n}",
                        [](const JsonNode& root) {
                            root.ExpectObject({"setup", "documents"});
                        }),
              "batch.json:3:16: documnets: unknown setting; expected one of: setup, documents");
}

TEST_F(JsonNodeTest, AValueOfTheWrongKindSaysWhatWasExpectedAndWhere) {
    EXPECT_EQ(
        FailureOf("{\"documents\": [{\"imageFiles\": [\"a.tif\", 7]}]}",
                  [](const JsonNode& root) {
                      for (const JsonNode& document : root.RequiredMember("documents").Elements()) {
                          for (const JsonNode& file :
                               document.RequiredMember("imageFiles").Elements()) {
                              file.Text();
                          }
                      }
                  }),
        "batch.json:1:41: documents[0].imageFiles[1]: expected a text, found a number");
    EXPECT_EQ(FailureOf("{\"weird name\": {}}",
                        [](const JsonNode& root) {
                            root.RequiredMember("weird name").RequiredMember("x");
                        }),
              "batch.json:1:16: [\"weird name\"]: \"x\" is missing");
}

TEST_F(JsonNodeTest, IntegersMustFitThirtyTwoBits) {
    const auto readCount = [](const JsonNode& root) { root.RequiredMember("n").Integer(); };
    EXPECT_EQ(FailureOf("{\"n\": 2147483647}", readCount), "no error");
    EXPECT_EQ(FailureOf("{\"n\": -2147483648}", readCount), "no error");
    EXPECT_NE(FailureOf("{\"n\": 2147483648}", readCount).find("found 2147483648"),
              std::string::npos);
    // Above the signed 64-bit range the parser keeps the number unsigned: it must not wrap.
    EXPECT_NE(FailureOf("{\"n\": 18446744073709551615}", readCount).find("found 1844"),
              std::string::npos);
    EXPECT_NE(FailureOf("{\"n\": 1.5}", readCount).find("whole number"), std::string::npos);
    EXPECT_NE(FailureOf("{\"n\": \"1\"}", readCount).find("found a text"), std::string::npos);
}

TEST(JsonFileTest, AFileThatCannotBeReadIsNamed) {
    JsonFile file;
    std::string error;
    EXPECT_FALSE(file.Load("/nonexistent/batch.json", error));
    EXPECT_EQ(error, "/nonexistent/batch.json: no such file");
    EXPECT_FALSE(file.Load("/tmp", error));
    EXPECT_EQ(error, "/tmp: is a folder, not a file");
    // A device would be read without end.
    EXPECT_FALSE(file.Load("/dev/zero", error));
    EXPECT_EQ(error, "/dev/zero: is not a regular file");
    // A large file given by mistake (an image, say) is not read whole.
    const test::TempFolder folder;
    const std::filesystem::path large = folder.path() / "scan.tif";
    std::ofstream(large).close();
    std::filesystem::resize_file(large, (64u << 20) + 1);
    EXPECT_FALSE(file.Load(large, error));
    EXPECT_EQ(error, large.string() + ": is larger than 64 MiB");
    EXPECT_FALSE(file.LoadText("x.json", "{,}", error));
    EXPECT_EQ(error.substr(0, 11), "x.json:1:2:");
}

}  // namespace
}  // namespace zarn::tools
