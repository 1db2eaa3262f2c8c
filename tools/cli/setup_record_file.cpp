#include "tools/cli/setup_record_file.h"

#include <fstream>

#include "tools/cli/setup_record_json.h"
#include "tools/json/json_node.h"
#include "tools/json/utf8_path.h"

namespace zarn::tools {

bool LoadSetupRecordFile(const std::filesystem::path& path, SetupRecordFile& file,
                         std::string& error) {
    JsonFile json;
    if (!json.Load(path, error))
        return false;
    try {
        SetupRecordFile read;
        const JsonNode root(json);
        if (!root.value().is_object())
            root.Fail("expected an object with a \"setup\" member");
        ReadSetupRecord(root.RequiredMember("setup"), SetupRecordUse::setup, *read.record);
        read.root = json.document().root();
        file = std::move(read);
        return true;
    } catch (const JsonFormatError& failure) {
        error = failure.what();
        return false;
    }
}

bool SaveSetupRecordFile(const std::filesystem::path& path, const SetupRecordFile& file,
                         std::string& error) {
    nlohmann::json root = file.root.is_object() ? file.root : nlohmann::json::object();
    root["setup"] = SetupRecordJson(*file.record);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << root.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    out.close();
    if (!out) {
        error = Utf8Of(path) + ": cannot be written";
        return false;
    }
    return true;
}

}  // namespace zarn::tools
