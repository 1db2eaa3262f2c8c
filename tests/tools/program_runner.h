#pragma once

#include <sys/types.h>

#include <chrono>
#include <map>
#include <string>
#include <vector>

namespace zarn::test {

// What a finished program left behind.
struct ProgramResult {
    int exitCode = -1;  // -1 when it did not exit normally
    std::string out;
    std::string err;
};

// Runs the zarnrel program with the arguments, waits at most `limit` (then kills it) and
// returns its exit code and output. `environment` entries are added to the test's own.
ProgramResult RunZarnrel(const std::vector<std::string>& arguments,
                         const std::map<std::string, std::string>& environment = {},
                         std::chrono::seconds limit = std::chrono::seconds(120));

// The zarnrel program running in the background, as a server is run: standard output is
// read line by line, standard error is collected.
class BackgroundZarnrel {
  public:
    explicit BackgroundZarnrel(const std::vector<std::string>& arguments);
    ~BackgroundZarnrel();
    BackgroundZarnrel(const BackgroundZarnrel&) = delete;
    BackgroundZarnrel& operator=(const BackgroundZarnrel&) = delete;

    // The next line of standard output; empty when the program closed it or `limit` passed.
    std::string ReadLine(std::chrono::seconds limit = std::chrono::seconds(30));
    // Sends the signal and waits for the exit; the rest of the output is collected.
    ProgramResult Stop(int signal);

  private:
    pid_t pid_ = -1;
    int outFd_ = -1;
    int errFd_ = -1;
    std::string pending_;
};

}  // namespace zarn::test
