#pragma once

#include <string>
#include <vector>

namespace zarn::bench {

// How a program run from start to end went.
struct ChildRun {
    int exitCode = -1;  // -1: it could not be started, or a signal ended it
    double seconds = 0;
    double peakMegabytes = 0;  // its largest resident set
};

// Runs a program (found on the PATH) as a shell would, with its standard output and standard
// error written to the files given, and waits for its end.
ChildRun RunChild(const std::vector<std::string>& command, const std::string& outputPath,
                  const std::string& errorPath);

}  // namespace zarn::bench
