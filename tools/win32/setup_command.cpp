// zarnrel setup: zarnRel.dll's setup sheet on a record file instead of the capture host.

#include <iostream>

#include "host/sim/sim_host.h"
#include "host/sim/win32/sim_host_dispatch.h"
#include "tools/cli/command.h"
#include "tools/cli/setup_record_file.h"
#include "tools/json/utf8_path.h"
#include "tools/win32/setup_module.h"

namespace zarn::tools {
namespace {

constexpr char kHelp[] =
    R"(Usage: zarnrel setup RECORD [--module DLL]

Opens zarnRel.dll's release setup, the "DocStore Setup" sheet, as the capture host opens it:
ZarnSetupScript is made by the module, given the setup data of the record in RECORD, and run
with OpenScript, RunUI and CloseScript. So a server's catalogue and the mappings can be tried
before the capture host is touched. OK writes the record back into RECORD, as the setup
stores it in the host; Cancel leaves the file as it was.

RECORD is a JSON file (comments allowed) whose "setup" member holds the release setup record
in the form that batch files use (see examples/batch.json), plus the document class's index
fields and the batch's Capture value names, which the "..." menus offer:
  "indexFields": ["Invoice Number", {"name": "Amount", "table": "Lines"}],
  "batchVariableNames": ["Batch Name", "Scan Operator"]
A link's source type may also be any number. The file's other members are kept; its comments
are not.

Options:
  --module DLL   the zarnRel.dll to use (default: the one beside zarnrel.exe, else the one in
                 the package's x64 or x86 folder that matches zarnrel.exe)

Exit codes: 0 the sheet was closed with OK or Cancel, 1 the module cannot be used or the
record cannot be written, 2 bad usage or a bad record file.
)";

// OpenScript, RunUI and CloseScript with the record's setup data; true when the setup was
// confirmed with OK, which is when it applies the record.
bool RunSetupScript(IKfxReleaseSetupScript& script, SetupRecordFile& file) {
    host::sim::SimHost host;
    IDispatch* data = host::sim::ReleaseSetupDataDispatch(host.MakeSetupData(file.record));
    script.putref_SetupData(data);
    data->Release();
    KfxReturnValue result = KFX_REL_SUCCESS;
    script.OpenScript(&result);
    script.RunUI(&result);
    script.CloseScript(&result);
    script.putref_SetupData(nullptr);
    return !host.JournalOfWrites().Entries("ReleaseSetupData.Apply").empty();
}

int RunSetup(const std::vector<std::string>& words) {
    Arguments arguments;
    if (const auto done = ParseCommandLine(kSetupCommand, words, {{"module"}}, 1, arguments))
        return *done;
    if (arguments.Positional().empty())
        return UsageError("setup", "the record file is missing");
    const std::filesystem::path path = PathFromUtf8(arguments.Positional().front());
    SetupRecordFile file;
    std::string error;
    if (!LoadSetupRecordFile(path, file, error)) {
        PrintError("setup", error);
        return kExitBadInput;
    }
    const std::filesystem::path module =
        SetupModulePath(PathFromUtf8(arguments.Value("module").value_or("")));
    win32::ComPtr<IKfxReleaseSetupScript> script = CreateSetupScript(module, error);
    if (!script) {
        PrintError("setup", error);
        return kExitFailed;
    }
    if (!RunSetupScript(*script, file)) {
        std::cout << "Cancelled: " << Utf8Of(path) << " is unchanged." << std::endl;
        return kExitDone;
    }
    if (!SaveSetupRecordFile(path, file, error)) {
        PrintError("setup", error);
        return kExitFailed;
    }
    std::cout << "Saved the release setup into " << Utf8Of(path) << "." << std::endl;
    return kExitDone;
}

}  // namespace

const Command kSetupCommand = {"setup", "open the release setup sheet on a record file", kHelp,
                               RunSetup};

}  // namespace zarn::tools
