#include "tools/cli/bundled_examples.h"

#include <fstream>

namespace zarn::tools {

std::string_view BundledExample(std::string_view path) {
    for (const BundledFile& file : BundledExamples()) {
        if (file.path == path) {
            return file.content;
        }
    }
    return {};
}

bool WriteBundledExamples(const std::filesystem::path& folder, std::string& error) {
    for (const BundledFile& file : BundledExamples()) {
        const std::filesystem::path target = folder / file.path;
        std::error_code code;
        std::filesystem::create_directories(target.parent_path(), code);
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        out.write(file.content.data(), static_cast<std::streamsize>(file.content.size()));
        out.close();
        if (!out) {
            error = "cannot write " + target.string();
            return false;
        }
    }
    return true;
}

}  // namespace zarn::tools
