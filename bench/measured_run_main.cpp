// zarn_measured_run OUT ERR PROGRAM [ARGUMENT...]: runs the program with its standard output and
// standard error written to OUT and ERR, and prints "EXIT SECONDS PEAK_MB". A process takes over
// the peak memory of the process that started it, so a small one like this starts the program
// whose peak is measured.

#include <cstdio>
#include <string>
#include <vector>

#include "bench/child_process.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: zarn_measured_run OUT ERR PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    const zarn::bench::ChildRun run =
        zarn::bench::RunChild(std::vector<std::string>(argv + 3, argv + argc), argv[1], argv[2]);
    std::printf("%d %.6f %.3f\n", run.exitCode, run.seconds, run.peakMegabytes);
    return run.exitCode < 0 ? 1 : 0;
}
