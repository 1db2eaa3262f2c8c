// zarnRel.dll as the platform's tools and the capture host use it: registration read back from
// the registry, both classes created by ProgID and driven by name with strict host objects, and
// COM's rules for aggregation, reference counts, locks and unloading.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/utf16_text.h"
#include "common/win32/bstr.h"
#include "host/kfx_constants.h"
#include "host/sim/sim_host.h"
#include "host/sim/win32/sim_host_dispatch.h"
#include "host/sim/win32/strict_dispatch.h"
#include "tests/support/raw_server.h"
#include "tests/win32/module_harness.h"

namespace zarn::test {
namespace {

using host::sim::CallArguments;
using host::sim::ReleaseDataDispatch;
using host::sim::ReleaseSetupDataDispatch;
using host::sim::StrictDispatch;

using win32::ComPtr;

void ExpectClassEntries(const wchar_t* classId, const wchar_t* progId) {
    const std::wstring key = std::wstring(L"CLSID\\") + classId;
    EXPECT_EQ(ClassesValue(std::wstring(progId) + L"\\CLSID"), classId);
    EXPECT_EQ(ClassesValue(key), progId);
    EXPECT_EQ(ClassesValue(key + L"\\ProgID"), progId);
    EXPECT_TRUE(ClassesKeyExists(key + L"\\Programmable"));
    EXPECT_EQ(ClassesValue(key + L"\\InprocServer32"), Module::Path());
    EXPECT_EQ(ClassesValue(key + L"\\InprocServer32", L"ThreadingModel"), L"Both");
    EXPECT_EQ(ClassesValue(key + L"\\TypeLib"), kLibId);
}

TEST(ModuleRegistration, WritesExactlyItsEntriesAndRemovesThemLeavingTheSharedKeys) {
    ASSERT_EQ(Module::Register(), S_OK);
    EXPECT_EQ(ClassesValue(std::wstring(L"AppID\\") + kAppId), L"zarnRel");
    EXPECT_EQ(ClassesValue(L"AppID\\zarnRel.DLL", L"AppID"), kAppId);
    ExpectClassEntries(kReleaseClassId, kReleaseProgId);
    ExpectClassEntries(kSetupClassId, kSetupProgId);
    EXPECT_TRUE(ClassesKeyExists(std::wstring(L"TypeLib\\") + kLibId + L"\\1.0"));
    // Registering again over the entries is as good as the first time.
    ASSERT_EQ(Module::Register(), S_OK);
    ExpectClassEntries(kReleaseClassId, kReleaseProgId);

    ASSERT_EQ(Module::Unregister(), S_OK);
    for (const std::wstring& key :
         {std::wstring(L"AppID\\") + kAppId, std::wstring(L"AppID\\zarnRel.DLL"),
          std::wstring(kReleaseProgId), std::wstring(kSetupProgId),
          std::wstring(L"CLSID\\") + kReleaseClassId, std::wstring(L"CLSID\\") + kSetupClassId,
          std::wstring(L"TypeLib\\") + kLibId}) {
        EXPECT_FALSE(ClassesKeyExists(key)) << std::string(key.begin(), key.end());
    }
    EXPECT_TRUE(ClassesKeyExists(L"AppID"));
    EXPECT_TRUE(ClassesKeyExists(L"CLSID"));
    CLSID clsid;
    EXPECT_NE(::CLSIDFromProgID(kReleaseProgId, &clsid), S_OK);
}

// The scripts as the host drives them: created by ProgID after registration, every call by name.
class ScriptsThroughDispatch : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_EQ(Module::Register(), S_OK); }
    static void TearDownTestSuite() { EXPECT_EQ(Module::Unregister(), S_OK); }

    void SetUp() override { StrictDispatch::ResetCounters(); }

    void TearDown() override {
        // The host's objects are only ever reached through IDispatch and the ids it gives.
        EXPECT_EQ(StrictDispatch::ForeignQueries(), 0);
        EXPECT_EQ(StrictDispatch::TypeMismatches(), 0);
    }

    std::u16string MakeFile(const std::string& name, const std::string& content) {
        wchar_t folder[MAX_PATH];
        ::GetTempPathW(MAX_PATH, folder);
        std::wstring path = std::wstring(folder) + std::wstring(name.begin(), name.end());
        std::ofstream(std::filesystem::path(path), std::ios::binary) << content;
        return std::u16string(path.begin(), path.end());
    }

    // One document released as the host releases it; the release data goes when it is done.
    int ReleaseOne() {
        Script script = Script::Create(kReleaseProgId);
        IDispatch* data = ReleaseDataDispatch(host.MakeReleaseData(record, {}, document));
        EXPECT_EQ(script.PutRef(L"DocumentData", data), S_OK);
        EXPECT_TRUE(win32::SameObject(script.Get(L"DocumentData").get(), data));
        data->Release();
        EXPECT_EQ(script.Call(L"OpenScript"), host::KFX_REL_SUCCESS);
        int result = script.Call(L"ReleaseDoc");
        EXPECT_EQ(script.Call(L"CloseScript"), host::KFX_REL_SUCCESS);
        return result;
    }

    std::vector<host::sim::JournalEntry> Log() const {
        return host.JournalOfWrites().Entries("ReleaseData.LogError");
    }

    RawServer server;
    host::sim::SimHost host;
    std::shared_ptr<host::sim::SetupRecord> record = std::make_shared<host::sim::SetupRecord>();
    host::sim::Document document;
};

TEST_F(ScriptsThroughDispatch, AReleasePostsTheDocumentThroughMsxmlAndLogsAsTheHostExpects) {
    server.SetReply("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n");
    record->customProperties = {
        {u"serverURL", server.Url()}, {u"docStore", u"My Store"}, {u"docType", u"Invoice"}};
    const std::string content(300000, '\x7f');
    document.imageFiles = {MakeFile("zarn-release.tif", content)};

    ASSERT_EQ(ReleaseOne(), host::KFX_REL_SUCCESS) << ToUtf8(Log().at(0).texts.at(0));

    ASSERT_EQ(server.Requests().size(), 1u);
    const RawServer::Request request = server.Requests()[0];
    EXPECT_TRUE(request.head.starts_with("POST /docStore/store/My%20Store/document/ HTTP/1.1"));
    // Exactly the announced bytes: the whole body but its closing line ends, nothing after.
    EXPECT_NE(request.head.find("Content-Length: " + std::to_string(request.body.size())),
              std::string::npos);
    EXPECT_EQ(server.Connections()[0], request.head + request.body);
    EXPECT_NE(request.body.find("\r\n\r\n" + content + "\r\n"), std::string::npos);
    EXPECT_TRUE(request.body.ends_with("--"));
    EXPECT_NE(request.body.find("name=\"docType\"\r\n\r\nInvoice\r\n"), std::string::npos);

    ASSERT_EQ(Log().size(), 1u);
    EXPECT_EQ(Log()[0].numbers.at(0), 0);
    EXPECT_EQ(Log()[0].texts.at(0),
              u"Document Released Successfully " + document.imageFiles[0] + u"\n");
    EXPECT_TRUE(host.JournalOfWrites().Entries("ReleaseData.SendMessage").empty());
}

TEST_F(ScriptsThroughDispatch, ARefusedPostLogsAndSendsTheServersText) {
    const std::string body = "<r><p id=\"statusDescription\">Unknown document type</p></r>";
    server.SetReply(
        "HTTP/1.1 500 Internal Server Error\r\nContent-Type: text/xml\r\n"
        "Content-Length: " +
        std::to_string(body.size()) + "\r\n\r\n" + body);
    record->customProperties = {{u"serverURL", server.Url()}, {u"docStore", u"Main"}};

    EXPECT_EQ(ReleaseOne(), host::KFX_REL_ERROR);

    const std::u16string expected =
        u"HTTP Request returned 500 (Internal Server Error) Unknown document type";
    ASSERT_EQ(Log().size(), 1u);
    EXPECT_EQ(Log()[0].texts.at(0), expected);
    auto sent = host.JournalOfWrites().Entries("ReleaseData.SendMessage");
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].texts.at(0), expected);
    EXPECT_EQ(sent[0].numbers.at(0), host::KFX_REL_DOC_ERROR);
}

TEST_F(ScriptsThroughDispatch, AFailingOrEmptyHostEndsInOneErrorNeverInACrash) {
    record->customProperties = {{u"serverURL", server.Url()}, {u"docStore", u"Main"}};
    // Each of the host's members raising an error in turn.
    for (const char* operation :
         {"ReleaseData.GetValues", "Values.GetCount", "ReleaseData.GetCustomProperties"}) {
        host.Failures().ClearRules();
        host.Failures().Fail(operation);
        EXPECT_EQ(ReleaseOne(), host::KFX_REL_ERROR) << operation;
    }
    EXPECT_TRUE(server.Requests().empty());

    // Members that answer a NULL BSTR, nothing, or the wrong type; an object with no members.
    auto answer = [](const wchar_t* name, auto fill) {
        return StrictDispatch::Member{name,
                                      DISPATCH_PROPERTYGET,
                                      0,
                                      {},
                                      [fill](const CallArguments&, VARIANT& result) -> HRESULT {
                                          fill(result);
                                          return S_OK;
                                      }};
    };
    IDispatch* odd = StrictDispatch::Create({
        answer(L"UserName", [](VARIANT& v) { v.vt = VT_BSTR, v.bstrVal = nullptr; }),
        answer(L"Password", [](VARIANT& v) { v.vt = VT_EMPTY; }),
        answer(L"CustomProperties", [](VARIANT& v) { v.vt = VT_I4, v.lVal = 7; }),
        answer(L"Values", [](VARIANT& v) { v.vt = VT_DISPATCH, v.pdispVal = nullptr; }),
        answer(L"ImageFiles", [](VARIANT& v) { v.vt = VT_R8, v.dblVal = 1e300; }),
        answer(L"RowSeparator", [](VARIANT& v) { v.vt = VT_BSTR, v.bstrVal = nullptr; }),
    });
    Script script = Script::Create(kReleaseProgId);
    for (IDispatch* data : {odd, StrictDispatch::Create({})}) {
        EXPECT_EQ(script.PutRef(L"DocumentData", data), S_OK);
        data->Release();
        EXPECT_EQ(script.Call(L"ReleaseDoc"), host::KFX_REL_ERROR);
    }
    EXPECT_EQ(script.PutRef(L"DocumentData", nullptr), S_OK);
    EXPECT_FALSE(script.Get(L"DocumentData"));
    EXPECT_EQ(script.Call(L"ReleaseDoc"), host::KFX_REL_ERROR);
}

TEST_F(ScriptsThroughDispatch, TheSetupScriptOpensClosesAnswersEventsAndHoldsItsData) {
    Script script = Script::Create(kSetupProgId);
    EXPECT_EQ(script.Call(L"OpenScript"), host::KFX_REL_SUCCESS);
    for (int action = 0; action <= 13; ++action)
        EXPECT_EQ(script.ActionEvent(action, L"a", L"b"), host::KFX_REL_SUCCESS) << action;
    for (int action : {-1, 14, 20})
        EXPECT_EQ(script.ActionEvent(action, L"", L""), host::KFX_REL_UNSUPPORTED) << action;

    IDispatch* data = ReleaseSetupDataDispatch(host.MakeSetupData(record));
    int alive = StrictDispatch::Alive();
    EXPECT_EQ(script.PutRef(L"SetupData", data), S_OK);
    data->Release();
    EXPECT_EQ(StrictDispatch::Alive(), alive) << "the script holds the host's object";
    EXPECT_TRUE(win32::SameObject(script.Get(L"SetupData").get(), data));
    EXPECT_EQ(script.PutRef(L"SetupData", nullptr), S_OK);
    EXPECT_EQ(StrictDispatch::Alive(), alive - 1) << "and lets it go when replaced";
    EXPECT_EQ(script.Call(L"CloseScript"), host::KFX_REL_SUCCESS);
    EXPECT_TRUE(host.Failures().CallCounts().empty()) << "nothing of the host was touched";
}

// An outer object for aggregation, counting its references.
class Outer final : public IUnknown {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    ULONG references = 1;
};

TEST(ModuleObjects, FollowComRulesForClassObjectsAggregationLocksAndUnloading) {
    for (const wchar_t* classId : {kReleaseClassId, kSetupClassId}) {
        ComPtr<IClassFactory> factory;
        ASSERT_EQ(Module::GetClassObject(classId, IID_IClassFactory,
                                         reinterpret_cast<void**>(factory.Receive())),
                  S_OK);
        ComPtr<IClassFactory> again;
        ASSERT_EQ(Module::GetClassObject(classId, IID_IClassFactory,
                                         reinterpret_cast<void**>(again.Receive())),
                  S_OK);
        EXPECT_EQ(factory.get(), again.get()) << "class objects are cached";

        Outer outer;
        ComPtr<IDispatch> refused;
        EXPECT_EQ(factory->CreateInstance(&outer, IID_IDispatch,
                                          reinterpret_cast<void**>(refused.Receive())),
                  CLASS_E_NOAGGREGATION);
        EXPECT_FALSE(refused);

        ComPtr<IUnknown> inner;
        ASSERT_EQ(factory->CreateInstance(&outer, IID_IUnknown,
                                          reinterpret_cast<void**>(inner.Receive())),
                  S_OK);
        EXPECT_EQ(outer.references, 1u) << "the inner object holds no reference to its outer";
        ComPtr<IDispatch> dispatch;
        ASSERT_EQ(
            inner->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch.Receive())),
            S_OK);
        EXPECT_EQ(outer.references, 2u) << "its interfaces count on the outer object";
        IUnknown* identity = nullptr;
        EXPECT_EQ(dispatch->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)),
                  E_NOINTERFACE)
            << "asked through a delegating interface, the outer answers";
        dispatch.Reset();
        EXPECT_EQ(outer.references, 1u);
        EXPECT_EQ(Module::CanUnloadNow(), S_FALSE) << "an object is alive";
        inner.Reset();

        EXPECT_EQ(factory->LockServer(TRUE), S_OK);
        factory.Reset();
        again.Reset();
        EXPECT_EQ(Module::CanUnloadNow(), S_FALSE) << "the module is locked";
        ASSERT_EQ(Module::GetClassObject(classId, IID_IClassFactory,
                                         reinterpret_cast<void**>(factory.Receive())),
                  S_OK);
        EXPECT_EQ(factory->LockServer(FALSE), S_OK);
        factory.Reset();
    }
    ComPtr<IUnknown> standalone;
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(Module::GetClassObject(kReleaseClassId, IID_IClassFactory,
                                     reinterpret_cast<void**>(factory.Receive())),
              S_OK);
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch,
                                      reinterpret_cast<void**>(standalone.Receive())),
              S_OK);
    ULONG count = standalone->AddRef();
    EXPECT_EQ(standalone->Release(), count - 1);
    standalone.Reset();
    factory.Reset();
    EXPECT_EQ(Module::CanUnloadNow(), S_OK);
    // Unloading lets go of the last release data too: no host object of any test is held.
    EXPECT_EQ(StrictDispatch::Alive(), 0);

    void* nothing = nullptr;
    EXPECT_EQ(Module::GetClassObject(L"{00000000-0000-0000-0000-000000000001}", IID_IClassFactory,
                                     &nothing),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(nothing, nullptr);
}

}  // namespace
}  // namespace zarn::test
