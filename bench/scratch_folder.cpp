#include "bench/scratch_folder.h"

#include <stdlib.h>

#include <cstdio>
#include <string>

namespace zarn::bench {

namespace fs = std::filesystem;

std::filesystem::path MakeScratchFolder(std::string_view name) {
    std::error_code error;
    const fs::path base =
        fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string folder = (base / (std::string(name) + ".XXXXXX")).string();
    if (mkdtemp(folder.data()) == nullptr) {
        std::fprintf(stderr, "%.*s: cannot make a folder in %s\n", static_cast<int>(name.size()),
                     name.data(), base.c_str());
        std::exit(1);
    }
    return folder;
}

}  // namespace zarn::bench
