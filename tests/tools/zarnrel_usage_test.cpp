#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/tools/program_runner.h"

namespace zarn::test {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

TEST(ZarnrelUsageTest, WithoutACommandItShowsTheUsageAndExits2) {
    const ProgramResult result = RunZarnrel({});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_THAT(result.err, StartsWith("Usage: zarnrel COMMAND [OPTIONS]"));
    EXPECT_EQ(result.out, "");
}

TEST(ZarnrelUsageTest, HelpListsTheCommandsAndDescribesEachOne) {
    const ProgramResult overview = RunZarnrel({"--help"});
    EXPECT_EQ(overview.exitCode, 0);
    for (const char* command : {"catalogue", "release", "serve", "demo"}) {
        EXPECT_THAT(overview.out, HasSubstr(std::string("\n  ") + command + " "));
        const ProgramResult help = RunZarnrel({command, "--help"});
        EXPECT_EQ(help.exitCode, 0) << command;
        EXPECT_THAT(help.out, StartsWith(std::string("Usage: zarnrel ") + command));
    }
    // "help COMMAND" and -h say the same, even with other words on the line.
    EXPECT_EQ(RunZarnrel({"help", "release"}).out, RunZarnrel({"release", "-h", "--bogus"}).out);
    EXPECT_THAT(RunZarnrel({"--version"}).out, StartsWith("zarnrel 1."));
}

TEST(ZarnrelUsageTest, BadUsageNamesTheProblemAndExits2) {
    struct Case {
        std::vector<std::string> arguments;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"publish"}, "zarnrel: unknown command \"publish\""},
        {{"catalogue"}, "zarnrel catalogue: --server is required"},
        {{"catalogue", "--server"}, "zarnrel catalogue: option --server needs a value"},
        {{"catalogue", "--server", "x", "--server=y"}, "option --server is given twice"},
        {{"catalogue", "--bogus"}, "zarnrel catalogue: unknown option --bogus"},
        {{"catalogue", "--json=yes", "--server", "http://h"}, "option --json takes no value"},
        {{"catalogue", "--server", "ftp://host"},
         "--server needs an http:// or https:// URL, not \"ftp://host\""},
        {{"catalogue", "--server", "http://h", "--timeout", "0"},
         "zarnrel catalogue: --timeout needs a number of seconds from 1 to 86400, not \"0\""},
        {{"catalogue", "--server", "http://h", "--connect-timeout=1.5"},
         "--connect-timeout needs a number of seconds from 1 to 86400, not \"1.5\""},
        {{"release", "a.json", "--timeout", "86401"}, "zarnrel release: --timeout needs a number"},
        {{"release"}, "zarnrel release: the batch file is missing"},
        {{"release", "a.json", "b.json"}, "zarnrel release: unexpected argument \"b.json\""},
        {{"release", "a.json", "--server", "127.0.0.1:80"}, "--server needs an http://"},
        {{"serve", "--port", "70000"}, "--port needs a number from 0 to 65535, not \"70000\""},
        {{"serve", "--port", "8o"}, "--port needs a number"},
        {{"serve", "--password", "x"}, "zarnrel serve: --password needs --user"},
        {{"demo", "extra"}, "zarnrel demo: unexpected argument \"extra\""},
    };
    for (const Case& bad : cases) {
        const ProgramResult result = RunZarnrel(bad.arguments);
        EXPECT_EQ(result.exitCode, 2) << bad.message;
        EXPECT_THAT(result.err, HasSubstr(bad.message));
        EXPECT_EQ(result.out, "") << bad.message;
    }
    EXPECT_THAT(RunZarnrel({"catalogue", "--bogus"}).err,
                HasSubstr("Try 'zarnrel catalogue --help'."));
}

}  // namespace
}  // namespace zarn::test
