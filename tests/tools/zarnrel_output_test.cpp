#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/utf16_text.h"
#include "tests/support/raw_server.h"
#include "tests/tools/zarnrel_fixture.h"

namespace zarn::test {
namespace {

using ::testing::HasSubstr;

using ZarnrelOutputTest = ZarnrelTest;

// The first character of `text` that would steer a terminal or break a line: a control other
// than the line feed that ends each line, a C1 control, a line or paragraph separator or a
// bidirectional override or isolate. Empty when there is none.
std::string RawControlIn(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        const auto third = i + 2 < text.size() ? static_cast<unsigned char>(text[i + 2]) : 0;
        if ((byte < 0x20 && byte != '\n') || byte == 0x7F || (byte == 0xC2 && next < 0xA0) ||
            (byte == 0xE2 && next == 0x80 && third >= 0xA8 && third <= 0xAE) ||
            (byte == 0xE2 && next == 0x81 && third >= 0xA6 && third <= 0xA9)) {
            return text.substr(i, 3);
        }
    }
    return "";
}

TEST_F(ZarnrelOutputTest, WhatAServerOrABatchSaysIsPrintedEscapedOneLinePerRecord) {
    RawServer server;
    const std::string storeList =
        "<ZARN><docStore><store><name>Red\xC2\x9B"
        "31m&#10;forged&#9;\x7F\\</name>"
        "<description>Why&#13;\xE2\x80\xAE"
        "txt</description>"
        "<library>L\xE2\x80\xA8"
        "B</library></store></docStore></ZARN>";
    // ESC and BEL can come in no XML text, but in a reason phrase; a byte that is no UTF-8
    // becomes U+FFFD where the reply is read.
    const std::string failed = RawServer::Reply(
        "HTTP/1.1 500 Bo\x1b[31mom\x07\xFF",
        "<ZARN><status><statusDescription id=\"statusDescription\">Disk&#10;[2/2] forged"
        "</statusDescription></status></ZARN>");
    server.SetReplies({RawServer::Reply("HTTP/1.1 200 OK", storeList), failed});
    const std::string url = ToUtf8(server.Url());

    const ProgramResult catalogue = RunZarnrel({"catalogue", "--server", url});
    EXPECT_EQ(catalogue.exitCode, 1);
    EXPECT_EQ(catalogue.out, "Catalogue of " + url +
                                 ": 1 store\n\n"
                                 "Red\\u{009B}31m\\nforged\\t\\x7F\\\\: Why\\r\\u{202E}txt "
                                 "(library L\\u{2028}B)\n"
                                 "  (no document types)\n");
    EXPECT_THAT(catalogue.err, HasSubstr("/docTypeKey/.\\nMessage: HTTP Request returned 500, "
                                         "Bo\\x1B[31mom\\x07\xEF\xBF\xBD\n"));
    EXPECT_EQ(std::count(catalogue.err.begin(), catalogue.err.end(), '\n'), 1);

    nlohmann::json batch = SampleBatch();
    batch["documents"] = {batch["documents"][0]};
    batch["documents"][0]["name"] = "Evil\x1b]0;title\x07\n[9/9] x";
    const ProgramResult release = RunZarnrel({"release", WriteBatch(batch), "--server", url});
    EXPECT_EQ(release.exitCode, 1);
    EXPECT_EQ(release.out,
              "[1/1] Evil\\x1B]0;title\\x07\\n[9/9] x ... FAILED: HTTP Request returned 500 "
              "(Bo\\x1B[31mom\\x07\xEF\xBF\xBD) Disk\\n[2/2] forged\n"
              "0 of 1 documents released, 1 failed.\n");

    for (const std::string& printed : {catalogue.out, catalogue.err, release.out, release.err}) {
        EXPECT_EQ(RawControlIn(printed), "");
    }
}

}  // namespace
}  // namespace zarn::test
