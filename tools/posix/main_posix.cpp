// zarnrel on POSIX: the arguments are taken as UTF-8 texts, as the system writes them.

#include <malloc.h>

#include <string>
#include <vector>

#include "tools/cli/program.h"

namespace {

// A release allocates and frees a document's body, a megabyte or more, for every document. By
// default the allocator hands such memory back to the system at once and takes it anew, page by
// page, for the next document; it keeps this much instead.
constexpr int kLargestFromHeap = 4 << 20;
constexpr int kKeptFreeMemory = 16 << 20;

}  // namespace

int main(int argc, char** argv) {
    mallopt(M_MMAP_THRESHOLD, kLargestFromHeap);
    mallopt(M_TRIM_THRESHOLD, kKeptFreeMemory);
    return zarn::tools::RunProgram(std::vector<std::string>(argv + 1, argv + argc));
}
