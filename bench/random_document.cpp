#include "bench/random_document.h"

#include <fstream>
#include <random>
#include <vector>

namespace zarn::bench {

void WriteRandomDocument(const std::filesystem::path& path, std::uint64_t megabytes) {
    constexpr std::size_t kMegabyte = 1 << 20;
    std::ofstream out(path, std::ios::binary);
    std::mt19937_64 random(7);
    std::vector<std::uint64_t> block(kMegabyte / sizeof(std::uint64_t));
    for (std::uint64_t written = 0; written < megabytes; ++written) {
        for (std::uint64_t& word : block)
            word = random();
        out.write(reinterpret_cast<const char*>(block.data()), kMegabyte);
    }
}

}  // namespace zarn::bench
