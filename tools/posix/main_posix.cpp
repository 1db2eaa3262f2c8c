// zarnrel on POSIX: the arguments are taken as UTF-8 texts, as the system writes them.

#include <string>
#include <vector>

#include "tools/cli/program.h"

int main(int argc, char** argv) {
    return zarn::tools::RunProgram(std::vector<std::string>(argv + 1, argv + argc));
}
