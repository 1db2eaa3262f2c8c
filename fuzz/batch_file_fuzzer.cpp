// Any bytes as a batch file, read through the command's own entry point from a file of its own.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/cli/batch_file.h"

namespace {

const std::filesystem::path& BatchPath() {
    static const std::filesystem::path path = [] {
        std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                       ("zarn-batch-fuzzer-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        return folder / "batch.json";
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::ofstream(BatchPath(), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    zarn::tools::BatchFile batch;
    std::string error;
    // A batch that is refused says where.
    if (!zarn::tools::LoadBatchFile(BatchPath(), batch, error) &&
        error.find("batch.json") == std::string::npos) {
        __builtin_trap();
    }
    return 0;
}
