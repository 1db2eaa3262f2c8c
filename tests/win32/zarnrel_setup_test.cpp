// zarnrel.exe setup: zarnRel.dll's sheet on a record file, in a process of its own, worked from
// here; OK writes the record back, Cancel leaves the file as it was.

#include <gtest/gtest.h>

#include <windows.h>

#include <prsht.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/utf16_text.h"
#include "host/kfx_constants.h"
#include "resources/control_ids.h"
#include "tests/support/raw_server.h"
#include "tests/win32/catalogue_replies.h"
#include "tests/win32/module_harness.h"
#include "tests/win32/ui_driver.h"
#include "tools/cli/setup_record_file.h"
#include "tools/docstore_server/server_replies.h"

namespace zarn::test {
namespace {

namespace fs = std::filesystem;
using LinkTuple = std::tuple<std::u16string, std::int32_t, std::u16string>;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// zarnrel.exe setup FILE with the module beside this test, until its sheet has closed.
class SetupProcess {
  public:
    explicit SetupProcess(const fs::path& record) {
        std::wstring command = L"\"" + fs::path(ZARN_ZARNREL_EXE).wstring() + L"\" setup \"" +
                               record.wstring() + L"\" --module \"" + Module::Path() + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        started_ = ::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                    nullptr, &startup, &process_);
    }
    ~SetupProcess() {
        if (started_) {
            ::WaitForSingleObject(process_.hProcess, 20000);
            ::CloseHandle(process_.hThread);
            ::CloseHandle(process_.hProcess);
        }
    }

    // The process's sheet, once it shows.
    HWND Sheet() const {
        HWND found = nullptr;
        WaitUntil([&] {
            for (HWND window : OwnedWindows(nullptr, L"#32770")) {
                DWORD owner = 0;
                ::GetWindowThreadProcessId(window, &owner);
                if (owner == process_.dwProcessId && TextOf(window) == u"DocStore Setup")
                    found = window;
            }
            return found != nullptr;
        });
        return found;
    }

    // The exit code, once the process has ended.
    DWORD ExitCode() const {
        DWORD code = STILL_ACTIVE;
        if (::WaitForSingleObject(process_.hProcess, 20000) == WAIT_OBJECT_0)
            ::GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

  private:
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

HWND PageControl(HWND sheet, int id) {
    HWND page = reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    return ::GetDlgItem(page, id);
}

class ZarnrelSetup : public testing::Test {
  protected:
    void SetUp() override {
        file = fs::temp_directory_path() / "zarn-setup-record.json";
        const std::string url = ToUtf8(server.Url());
        std::ofstream(file, std::ios::binary) << R"(// A record to set up.
{
  "setup": {
    "name": "Invoices",
    "docClassName": "Invoice",
    "links": [
      {"destination": "docStoreServer", "sourceType": "text", "source": ")" +
                                                     url + R"("},
      {"destination": "docStoreUsername", "sourceType": "text", "source": "clerk"},
      {"destination": "docStorePassword", "sourceType": "text", "source": "s3cret"},
      {"destination": "docStoreName", "sourceType": "text", "source": "Archive"},
      {"destination": "07", "sourceType": 9, "source": "from a newer host"}
    ],
    "indexFields": ["Invoice Number", {"name": "Amount", "table": "Lines"}],
    "batchVariableNames": ["Batch Name"]
  },
  "documents": [{"name": "kept as it is"}]
}
)";
        docstore::Catalogue catalogue;
        catalogue.stores = {{"Finance", "Accounts", "", {}, {{1, "Invoice", "", "", false, {}}}}};
        server.SetReplies(CatalogueReplies(catalogue));
    }
    void TearDown() override { fs::remove(file); }

    RawServer server;
    fs::path file;
};

TEST_F(ZarnrelSetup, OkWritesTheRecordBackAndCancelLeavesTheFileAsItWas) {
    const std::string before = ReadAll(file);
    {
        SetupProcess setup(file);
        HWND sheet = setup.Sheet();
        ASSERT_NE(sheet, nullptr);
        EXPECT_TRUE(WaitUntil([&] { return TextOf(PageControl(sheet, IDC_NAME)) == u"Invoices"; }));
        PressKey(PageControl(sheet, IDC_NAME), VK_ESCAPE);
        EXPECT_EQ(setup.ExitCode(), 0u);
    }
    EXPECT_EQ(ReadAll(file), before);

    {
        SetupProcess setup(file);
        HWND sheet = setup.Sheet();
        ASSERT_NE(sheet, nullptr);
        HWND name = PageControl(sheet, IDC_NAME);
        TypeText(name, u"Invoices 2024");
        EXPECT_TRUE(WaitUntil([&] { return TextOf(name) == u"Invoices 2024"; }));
        Click(PageControl(sheet, IDC_RELOAD));
        HWND stores = PageControl(sheet, IDC_DOCSTORE);
        EXPECT_TRUE(WaitUntil([&] { return ::SendMessageW(stores, CB_GETCOUNT, 0, 0) == 2; }));
        PressKey(name, VK_RETURN);
        EXPECT_EQ(setup.ExitCode(), 0u);
    }
    tools::SetupRecordFile saved;
    std::string error;
    ASSERT_TRUE(tools::LoadSetupRecordFile(file, saved, error)) << error;
    EXPECT_EQ(saved.record->name, u"Invoices 2024");
    EXPECT_EQ(saved.root["documents"][0]["name"], "kept as it is");
    EXPECT_EQ(saved.record->indexFields.size(), 2u);
    EXPECT_EQ(saved.record->indexFields[1].tableName, u"Lines");
    std::vector<LinkTuple> links;
    for (const host::sim::Link& link : saved.record->links)
        links.emplace_back(link.source, link.sourceType, link.destination);
    // The numbered slot of a source type that the setup does not know keeps it; the named
    // settings follow, then the file links.
    ASSERT_EQ(links.size(), 14u);
    EXPECT_EQ(links[0], LinkTuple(u"from a newer host", 9, u"07"));
    EXPECT_EQ(links[4], LinkTuple(u"Archive", host::KFX_REL_TEXTCONSTANT, u"docStoreName"));
    EXPECT_EQ(std::get<2>(links[13]), u"OriginalFileNameExt");
    const std::u16string* keyName =
        host::sim::FindText(saved.record->customProperties, u"docTypeKeyName[00]");
    ASSERT_NE(keyName, nullptr);
    EXPECT_EQ(*keyName, u"PARM01");
}

}  // namespace
}  // namespace zarn::test
