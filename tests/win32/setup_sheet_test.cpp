// The setup's windows as an administrator uses them inside the capture host: the sheet opened by
// the COM class on strict host objects, worked with the keyboard and the mouse, the catalogue
// reloaded from a server on loopback, and the host's record read back afterwards.

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "common/utf16_text.h"
#include "host/kfx_constants.h"
#include "host/sim/sim_host.h"
#include "host/sim/win32/sim_host_dispatch.h"
#include "host/sim/win32/strict_dispatch.h"
#include "resources/control_ids.h"
#include "resources/dialog_templates.h"
#include "tests/support/raw_server.h"
#include "tests/win32/catalogue_replies.h"
#include "tests/win32/module_harness.h"
#include "tests/win32/screenshot.h"
#include "tests/win32/sheet_driver.h"

namespace zarn::test {
namespace {

using host::sim::ReleaseSetupDataDispatch;
using host::sim::StrictDispatch;

using host::sim::Link;
using LinkTuple = std::tuple<std::u16string, std::int32_t, std::u16string>;

std::vector<LinkTuple> Tuples(const std::vector<Link>& links) {
    std::vector<LinkTuple> tuples;
    for (const Link& link : links)
        tuples.emplace_back(link.source, link.sourceType, link.destination);
    return tuples;
}

std::vector<std::u16string> ListEntries(HWND combo) {
    std::vector<std::u16string> entries;
    const auto count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::u16string text(
            static_cast<std::size_t>(::SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, u'\0');
        const LRESULT length =
            ::SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(length));
        entries.push_back(text);
    }
    return entries;
}

std::vector<LRESULT> ItemData(HWND combo) {
    std::vector<LRESULT> data;
    const auto count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        data.push_back(::SendMessageW(combo, CB_GETITEMDATA, i, 0));
    return data;
}

void PutOnClipboard(std::u16string_view text) {
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
    auto* units = static_cast<char16_t*>(::GlobalLock(memory));
    std::copy(text.begin(), text.end(), units);
    units[text.size()] = u'\0';
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_UNICODETEXT, memory);
    ::CloseClipboard();
}

// Pixels of the picture's rows `from` to `to` in the text colour of entries not on the server.
int RedPixels(const RgbImage& image, int from, int to) {
    int count = 0;
    for (int y = from; y < to && y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t* pixel =
                &image.pixels[(static_cast<std::size_t>(y) * image.width + x) * 3];
            if (pixel[0] > 180 && pixel[0] - pixel[1] > 100 && pixel[0] - pixel[2] > 100)
                ++count;
        }
    }
    return count;
}

RECT ScreenRect(HWND window) {
    RECT rectangle{};
    ::GetWindowRect(window, &rectangle);
    return rectangle;
}

// Every control of the page's window, in window order, as its dialog template lists it: class,
// id, place and size in dialog units, and the texts that the page leaves as they are.
void ExpectTemplate(HWND page, int templateId) {
    std::span<const TemplateControl> controls = DialogTemplateControls(templateId);
    ASSERT_FALSE(controls.empty());
    HWND child = ::GetWindow(page, GW_CHILD);
    for (const TemplateControl& control : controls) {
        ASSERT_NE(child, nullptr) << "missing control " << control.id;
        wchar_t className[32] = {};
        ::GetClassNameW(child, className, 32);
        const std::wstring name(className);
        using enum TemplateControlKind;
        const wchar_t* expected =
            control.kind == kButton                                          ? L"Button"
            : (control.kind == kLabel || control.kind == kHiddenLabel)       ? L"Static"
            : (control.kind == kComboBox || control.kind == kColourComboBox) ? L"ComboBox"
                                                                             : L"Edit";
        EXPECT_EQ(name, expected) << control.id;
        EXPECT_EQ(::GetDlgCtrlID(child), control.id);
        // The dialog manager converts place and size, not the corners.
        RECT units{control.x, control.y, control.width, control.height};
        ::MapDialogRect(page, &units);
        RECT place = ScreenRect(child);
        ::MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ(place.left, units.left) << control.id;
        EXPECT_EQ(place.top, units.top) << control.id;
        EXPECT_EQ(place.right - place.left, units.right) << control.id;
        // A closed drop-down is as high as its selection field.
        if (name != L"ComboBox") {
            EXPECT_EQ(place.bottom - place.top, units.bottom) << control.id;
        }
        const LONG style = ::GetWindowLongW(child, GWL_STYLE);
        if (control.id == IDC_STATIC || control.kind == kButton) {
            EXPECT_EQ(TextOf(child), control.text) << control.id;
        }
        if (control.kind == kPasswordEdit) {
            EXPECT_TRUE(style & ES_PASSWORD);
        }
        if (control.kind == kColourComboBox) {
            EXPECT_EQ(style & (CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | CBS_SORT | CBS_DROPDOWN),
                      CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | CBS_SORT | CBS_DROPDOWN);
        }
        if (control.kind == kComboBox) {
            EXPECT_EQ(style & (CBS_SORT | CBS_DROPDOWN | CBS_OWNERDRAWFIXED),
                      CBS_SORT | CBS_DROPDOWN);
        }
        child = ::GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr) << "a control that the template does not list";
}

class SetupWindows : public testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_EQ(Module::Register(), S_OK); }
    static void TearDownTestSuite() { EXPECT_EQ(Module::Unregister(), S_OK); }

    void SetUp() override {
        StrictDispatch::ResetCounters();
        record->name = u"Invoices";
        record->batchClassName = u"Invoices Batch";
        record->docClassName = u"Invoice";
        record->indexFields = {{u"Invoice Number", u""}, {u"Supplier Name", u""}};
        record->batchVariableNames = {u"Batch Name", u"Scan Operator"};
        std::string error;
        ASSERT_TRUE(
            docstore::LoadCatalogueFixture(ZARN_EXAMPLES_DIR "/catalogue.json", catalogue, error))
            << error;
        server.SetReplies(CatalogueReplies(catalogue));
    }

    void TearDown() override {
        EXPECT_EQ(StrictDispatch::ForeignQueries(), 0);
        EXPECT_EQ(StrictDispatch::TypeMismatches(), 0);
    }

    // RunUI through IDispatch on this thread, the administrator on a thread of its own. However
    // the administrator ends, the sheet is then cancelled.
    int RunSetup(const std::function<void(SheetDriver&)>& administrator) {
        Script script = Script::Create(kSetupProgId);
        IDispatch* data = ReleaseSetupDataDispatch(host.MakeSetupData(record));
        EXPECT_EQ(script.PutRef(L"SetupData", data), S_OK);
        data->Release();
        std::atomic<bool> ended{false};
        std::thread driver([&] {
            SheetDriver sheet(hostWindow);
            if (sheet.Sheet()) {
                administrator(sheet);
            } else {
                ADD_FAILURE() << "no setup sheet";
            }
            while (!ended) {
                CancelWindowsOf(mainThread_);
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        });
        const int result = script.Call(L"RunUI");
        ended = true;
        driver.join();
        return result;
    }

    const DWORD mainThread_ = ::GetCurrentThreadId();
    HostWindow hostWindow;
    RawServer server;
    docstore::Catalogue catalogue;
    host::sim::SimHost host;
    std::shared_ptr<host::sim::SetupRecord> record = std::make_shared<host::sim::SetupRecord>();
};

TEST(SetupResources, TheModuleCarriesItsDialogsMenuAndStrings) {
    HMODULE module = Module::Handle();
    for (int id : {IDD_SETUP_GENERAL, IDD_SETUP_PARMS})
        EXPECT_NE(::FindResourceW(module, MAKEINTRESOURCEW(id), RT_DIALOG), nullptr) << id;
    HMENU menu = ::LoadMenuW(module, MAKEINTRESOURCEW(IDR_SOURCE_MENU));
    ASSERT_NE(menu, nullptr);
    HMENU popup = ::GetSubMenu(menu, 0);
    EXPECT_EQ(MenuTexts(popup), (std::vector<std::u16string>{u"Text Constant", u"No Mapping"}));
    EXPECT_EQ(::GetMenuItemID(popup, 0), static_cast<UINT>(ID_SOURCE_TEXT_CONSTANT));
    EXPECT_EQ(::GetMenuItemID(popup, 1), static_cast<UINT>(ID_SOURCE_NO_MAPPING));
    ::DestroyMenu(menu);
    const std::pair<UINT, std::u16string> strings[] = {
        {11002, u"Failed to retrieve data from %1.\nMessage: %2"},
        {11003, u"DocStore Setup"},
        {11004, u"A Username and Password are required"}};
    for (const auto& [id, text] : strings) {
        const wchar_t* resource = nullptr;
        const int length = ::LoadStringW(module, id, reinterpret_cast<LPWSTR>(&resource), 0);
        EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(resource), length), text);
    }
}

TEST_F(SetupWindows, AnAdministratorSetsUpTheDocumentClassWithKeyboardMouseAndMenus) {
    record->links = {{u"Finance Archive", host::KFX_REL_TEXTCONSTANT, u"docStoreName"},
                     {u"Invoice", host::KFX_REL_TEXTCONSTANT, u"docTypeName"}};
    const std::u16string url = server.Url();
    const std::u16string longValue(70, u'x');

    EXPECT_EQ(
        RunSetup([&](SheetDriver& sheet) {
            // The sheet: modal on the host's window, its pages listed instead of tabbed.
            EXPECT_EQ(TextOf(sheet.Sheet()), u"DocStore Setup");
            EXPECT_FALSE(::IsWindowEnabled(hostWindow.Handle()));
            HWND list = sheet.PageList();
            ASSERT_NE(list, nullptr);
            EXPECT_EQ(ScreenRect(list).right - ScreenRect(list).left, 100);
            EXPECT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), 3);
            EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), 0);
            EXPECT_FALSE(::IsWindowVisible(PropSheet_GetTabControl(sheet.Sheet())));
            EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(sheet.Sheet(), IDOK)));
            EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(sheet.Sheet(), IDCANCEL)));
            for (HWND button :
                 {::GetDlgItem(sheet.Sheet(), 0x3021), ::GetDlgItem(sheet.Sheet(), IDHELP)})
                EXPECT_FALSE(button && ::IsWindowVisible(button));
            ExpectTemplate(sheet.Page(), IDD_SETUP_GENERAL);
            EXPECT_EQ(TextOf(sheet.Control(IDC_BATCH_CLASS)), u"Invoices Batch");
            EXPECT_EQ(TextOf(sheet.Control(IDC_VERSION)), u"1.0.0");
            EXPECT_TRUE(::IsWindowVisible(sheet.Control(IDC_VERSION_LABEL)));

            // The Tab key follows the template; a typed name replaces the selected one.
            EXPECT_EQ(sheet.FocusId(), IDC_NAME);
            sheet.Type(u"Invoices 2024");
            sheet.Press(VK_TAB);
            EXPECT_EQ(sheet.FocusId(), IDC_SERVER_URL);
            sheet.Type(url);
            sheet.Press(VK_TAB);
            EXPECT_EQ(sheet.FocusId(), IDC_SERVER_URL_SOURCE);
            sheet.Press(VK_TAB);
            sheet.Type(u"clerk");
            sheet.Press(VK_TAB);
            sheet.Press(VK_TAB);
            EXPECT_EQ(sheet.FocusId(), IDC_PASSWORD);
            sheet.Type(u"s3cret");
            EXPECT_EQ(::SendMessageW(sheet.Control(IDC_PASSWORD), EM_GETPASSWORDCHAR, 0, 0), u'*');
            EXPECT_EQ(TextOf(sheet.Control(IDC_PASSWORD)), u"s3cret");

            // A 21st character is cut away, and so is the end of a longer paste.
            sheet.FocusOn(IDC_DOC_OWNER);
            sheet.Type(u"accounts-payable-team");
            EXPECT_EQ(TextOf(sheet.Control(IDC_DOC_OWNER)), u"accounts-payable-tea");
            PutOnClipboard(u"finance-team-and-auditors-2024");
            ::PostMessageW(sheet.Control(IDC_AUTHORISATION_LIST), WM_PASTE, 0, 0);
            sheet.Settle();
            EXPECT_EQ(TextOf(sheet.Control(IDC_AUTHORISATION_LIST)), u"finance-team-and-aud");

            // Reload: the stored store that the server lacks is listed in red.
            sheet.Click(IDC_RELOAD);
            HWND stores = sheet.Control(IDC_DOCSTORE);
            EXPECT_EQ(ListEntries(stores),
                      (std::vector<std::u16string>{u"Finance", u"Finance Archive", u"HR Records"}));
            EXPECT_EQ(ItemData(stores), (std::vector<LRESULT>{0, 1, 0}));
            EXPECT_EQ(ListEntries(sheet.Control(IDC_DOCTYPE)),
                      std::vector<std::u16string>{u"Invoice"});
            sheet.FocusOn(IDC_DOCSTORE);
            sheet.Press(VK_F4);
            sheet.Press(VK_UP);
            EXPECT_TRUE(sheet.Screenshot("screenshots/setup-general.png"));
            COMBOBOXINFO combo{};
            combo.cbSize = sizeof(combo);
            ASSERT_TRUE(::GetComboBoxInfo(stores, &combo));
            const RgbImage dropped = sheet.Capture(combo.hwndList);
            const int entry = static_cast<int>(::SendMessageW(stores, CB_GETITEMHEIGHT, 0, 0));
            EXPECT_EQ(RedPixels(dropped, 0, entry), 0);
            EXPECT_GT(RedPixels(dropped, entry, 2 * entry), 10);
            sheet.Press(VK_RETURN);
            EXPECT_EQ(TextOf(stores), u"Finance");
            EXPECT_EQ(TextOf(sheet.Control(IDC_DOCSTORE_DESCRIPTION)),
                      u"Accounts payable and receivable");
            EXPECT_EQ(ListEntries(sheet.Control(IDC_DOCTYPE)),
                      (std::vector<std::u16string>{u"CreditNote", u"Invoice"}));
            EXPECT_EQ(TextOf(sheet.Control(IDC_DOCTYPE_DESCRIPTION)), u"Supplier invoice");
            // The arrow keys on the closed box choose as well.
            sheet.Press(VK_DOWN);
            EXPECT_EQ(TextOf(stores), u"Finance Archive");
            EXPECT_EQ(TextOf(sheet.Control(IDC_DOCSTORE_DESCRIPTION)), u"");
            EXPECT_EQ(ListEntries(sheet.Control(IDC_DOCTYPE)),
                      std::vector<std::u16string>{u"Invoice"});
            sheet.Press(VK_UP);
            EXPECT_EQ(TextOf(sheet.Control(IDC_DOCSTORE_DESCRIPTION)),
                      u"Accounts payable and receivable");
            sheet.PickWithKeys(IDC_DOCTYPE, -1);
            EXPECT_EQ(TextOf(sheet.Control(IDC_DOCTYPE_DESCRIPTION)),
                      u"Credit note from a supplier");
            sheet.PickWithKeys(IDC_DOCTYPE, 1);
            EXPECT_EQ(TextOf(sheet.Control(IDC_DOCTYPE)), u"Invoice");
            sheet.PickWithKeys(IDC_PUBLIC_AUTHORITY, 5);
            EXPECT_EQ(TextOf(sheet.Control(IDC_PUBLIC_AUTHORITY)), u"*R");

            // The source menu below its "..." button: its items, check marks, submenus.
            test::Click(sheet.Control(IDC_DOC_DESCRIPTION_SOURCE));
            HWND menu = sheet.WaitForMenu();
            ASSERT_NE(menu, nullptr);
            HMENU items = MenuOf(menu);
            EXPECT_EQ(MenuTexts(items), (std::vector<std::u16string>{
                                            u"Text Constant", u"No Mapping",
                                            u"Document Index Fields", u"Kofax Capture Values"}));
            EXPECT_TRUE(IsChecked(items, 0));
            EXPECT_FALSE(IsChecked(items, 1));
            EXPECT_EQ(MenuTexts(::GetSubMenu(items, 2)),
                      (std::vector<std::u16string>{u"Invoice Number", u"Supplier Name"}));
            EXPECT_EQ(MenuTexts(::GetSubMenu(items, 3)),
                      (std::vector<std::u16string>{u"Batch Name", u"Scan Operator"}));
            const RECT button = ScreenRect(sheet.Control(IDC_DOC_DESCRIPTION_SOURCE));
            EXPECT_EQ(ScreenRect(menu).left, button.left);
            EXPECT_EQ(ScreenRect(menu).top, button.bottom);
            sheet.ChooseInMenu(menu, {2, 1});
            EXPECT_EQ(TextOf(sheet.Control(IDC_DOC_DESCRIPTION)), u"Supplier Name");
            EXPECT_FALSE(::IsWindowEnabled(sheet.Control(IDC_DOC_DESCRIPTION)));

            // The first Parameters page, chosen with the mouse, labelled from the keys.
            sheet.SelectPageInList(1);
            ExpectTemplate(sheet.Page(), IDD_SETUP_PARMS);
            EXPECT_EQ(TextOf(sheet.Control(IDC_PARAMETER_LABEL_FIRST)), u"Invoice number:");
            EXPECT_EQ(TextOf(sheet.Control(IDC_PARAMETER_LABEL_FIRST + 5)),
                      u"Amount of one invoice line:");
            EXPECT_EQ(TextOf(sheet.Control(IDC_PARAMETER_LABEL_FIRST + 6)), u"Parameter 7:");
            test::Click(sheet.Control(IDC_PARAMETER_SOURCE_FIRST));
            sheet.ChooseInMenu(sheet.WaitForMenu(), {3, 0});
            test::Click(sheet.Control(IDC_PARAMETER_SOURCE_FIRST + 1));
            sheet.ChooseInMenu(sheet.WaitForMenu(), {2, 0});
            EXPECT_FALSE(::IsWindowEnabled(sheet.Control(IDC_PARAMETER_VALUE_FIRST + 1)));
            test::Click(sheet.Control(IDC_PARAMETER_SOURCE_FIRST + 2));
            sheet.ChooseInMenu(sheet.WaitForMenu(), {0});
            EXPECT_TRUE(::IsWindowEnabled(sheet.Control(IDC_PARAMETER_VALUE_FIRST + 2)));
            sheet.FocusOn(IDC_PARAMETER_VALUE_FIRST + 2);
            sheet.Type(u"ACME");
            EXPECT_TRUE(sheet.Screenshot("screenshots/setup-parameters-long.png"));

            // The second one, chosen with the arrow key in the list.
            ::PostMessageW(sheet.Sheet(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list), TRUE);
            sheet.Settle();
            sheet.Press(VK_DOWN);
            EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), 2);
            EXPECT_EQ(TextOf(sheet.Control(IDC_PARAMETER_LABEL_FIRST)), u"Parameter 11:");
            EXPECT_EQ(TextOf(sheet.Control(IDC_PARAMETER_LABEL_FIRST + 7)), u"Parameter 18:");
            for (int row : {8, 9}) {
                EXPECT_FALSE(::IsWindowVisible(sheet.Control(IDC_PARAMETER_VALUE_FIRST + row)));
                EXPECT_FALSE(::IsWindowVisible(sheet.Control(IDC_PARAMETER_SOURCE_FIRST + row)));
                EXPECT_EQ(TextOf(sheet.Control(IDC_PARAMETER_LABEL_FIRST + row)), u"");
            }
            test::Click(sheet.Control(IDC_PARAMETER_SOURCE_FIRST));
            sheet.ChooseInMenu(sheet.WaitForMenu(), {0});
            sheet.FocusOn(IDC_PARAMETER_VALUE_FIRST);
            sheet.Type(longValue);
            EXPECT_EQ(TextOf(sheet.Control(IDC_PARAMETER_VALUE_FIRST)), longValue.substr(0, 64));
            EXPECT_TRUE(sheet.Screenshot("screenshots/setup-parameters-short.png"));

            // Enter is OK.
            PressKey(sheet.Focus(), VK_RETURN);
            EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(sheet.Sheet()); }));
        }),
        host::KFX_REL_SUCCESS);

    EXPECT_TRUE(::IsWindowEnabled(hostWindow.Handle()));
    const std::vector<LinkTuple> expected = {
        {u"Batch Name", host::KFX_REL_VARIABLE, u"00"},
        {u"Invoice Number", host::KFX_REL_INDEXFIELD, u"01"},
        {u"ACME", host::KFX_REL_TEXTCONSTANT, u"02"},
        {longValue.substr(0, 64), host::KFX_REL_TEXTCONSTANT, u"10"},
        {url, host::KFX_REL_TEXTCONSTANT, u"docStoreServer"},
        {u"clerk", host::KFX_REL_TEXTCONSTANT, u"docStoreUsername"},
        {u"s3cret", host::KFX_REL_TEXTCONSTANT, u"docStorePassword"},
        {u"Finance", host::KFX_REL_TEXTCONSTANT, u"docStoreName"},
        {u"Invoice", host::KFX_REL_TEXTCONSTANT, u"docTypeName"},
        {u"Supplier Name", host::KFX_REL_INDEXFIELD, u"documentDescription"},
        {u"accounts-payable-tea", host::KFX_REL_TEXTCONSTANT, u"authorityOwner"},
        {u"finance-team-and-aud", host::KFX_REL_TEXTCONSTANT, u"authorisationList"},
        {u"*R", host::KFX_REL_TEXTCONSTANT, u"authorityPublic"},
        {u"", host::KFX_REL_TEXTCONSTANT, u"docFilename"},
        {u"OriginalFolder", host::KFX_REL_BATCHFIELD, u"OriginalFolder"},
        {u"First Page Original File Name", host::KFX_REL_VARIABLE, u"OriginalFileName"},
        {u"OriginalFileNameExt", host::KFX_REL_BATCHFIELD, u"OriginalFileNameExt"},
    };
    EXPECT_EQ(Tuples(record->links), expected);
    const std::u16string keys[] = {u"InvoiceNo", u"Supplier", u"InvoiceDate",
                                   u"Amount",    u"Tag",      u"LineAmount"};
    for (int n = 0; n < 18; ++n) {
        const std::u16string* stored =
            host::sim::FindText(record->customProperties, u"docTypeKeyName[" + TwoDigits(n) + u"]");
        ASSERT_NE(stored, nullptr) << n;
        EXPECT_EQ(*stored, n < 6 ? keys[n] : u"PARM" + TwoDigits(n + 1));
    }
    EXPECT_EQ(record->name, u"Invoices 2024");
    EXPECT_EQ(host.JournalOfWrites().Entries("ReleaseSetupData.Apply").size(), 1u);
}

// A message box of the sheet: its text, whether it shows an icon, and its buttons.
struct MessageBoxSeen {
    std::u16string caption;
    std::u16string text;
    bool icon = false;
    bool ok = false;
    bool cancel = false;
};

MessageBoxSeen ReadMessageBox(HWND box) {
    constexpr int kTextId = 0xFFFF;  // in the system's message box template
    MessageBoxSeen seen{TextOf(box), TextOf(::GetDlgItem(box, kTextId)), false,
                        ::GetDlgItem(box, IDOK) != nullptr, ::GetDlgItem(box, IDCANCEL) != nullptr};
    // The box shows a line break alike however the system writes it.
    for (std::size_t at; (at = seen.text.find(u"\r\n")) != std::u16string::npos;)
        seen.text.erase(at, 1);
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[16] = {};
        ::GetClassNameW(child, name, 16);
        const LONG style = ::GetWindowLongW(child, GWL_STYLE);
        if (std::wstring_view(name) == L"Static" && (style & SS_TYPEMASK) == SS_ICON &&
            ::SendMessageW(child, STM_GETICON, 0, 0) != 0) {
            seen.icon = true;
        }
    }
    return seen;
}

bool WaitCursorShown() {
    CURSORINFO cursor{};
    cursor.cbSize = sizeof(cursor);
    return ::GetCursorInfo(&cursor) && cursor.hCursor == ::LoadCursorW(nullptr, IDC_WAIT);
}

TEST_F(SetupWindows, FailedReloadsAreReportedInBoxesAndCancelWritesNothing) {
    const std::u16string url = server.Url();
    server.SetReply(XmlReply(500, "Internal Server Error", "<ZARN/>"));
    record->links = {{u"Invoice Number", host::KFX_REL_INDEXFIELD, u"00"},
                     {url, host::KFX_REL_TEXTCONSTANT, u"docStoreServer"},
                     {u"clerk", host::KFX_REL_TEXTCONSTANT, u"docStoreUsername"},
                     {u"s3cret", host::KFX_REL_TEXTCONSTANT, u"docStorePassword"},
                     {u"Finance", host::KFX_REL_TEXTCONSTANT, u"docStoreName"},
                     {u"Invoice", host::KFX_REL_TEXTCONSTANT, u"docTypeName"}};
    record->customProperties = {{u"docTypeKeyName[00]", u"Outdated"}};
    const std::vector<Link> stored = record->links;

    EXPECT_EQ(
        RunSetup([&](SheetDriver& sheet) {
            // Before any Reload the stored store and type are listed in red.
            EXPECT_EQ(ItemData(sheet.Control(IDC_DOCSTORE)), std::vector<LRESULT>{1});
            EXPECT_EQ(ItemData(sheet.Control(IDC_DOCTYPE)), std::vector<LRESULT>{1});

            // A server that refuses: one box per failed request, owned by the sheet, over
            // the wait cursor.
            test::Click(sheet.Control(IDC_RELOAD));
            HWND box = sheet.WaitForMessageBox();
            ASSERT_NE(box, nullptr);
            MessageBoxSeen seen = ReadMessageBox(box);
            EXPECT_EQ(seen.caption, u"zarnRel");
            EXPECT_EQ(seen.text, u"Failed to retrieve data from " + url +
                                     u"/docStore/store/.\nMessage: HTTP Request returned "
                                     u"500, Internal Server Error");
            EXPECT_FALSE(seen.icon);
            EXPECT_TRUE(seen.ok);
            EXPECT_FALSE(seen.cancel);
            PressKey(box, VK_RETURN);
            EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box); }));
            sheet.Settle();
            EXPECT_EQ(ListEntries(sheet.Control(IDC_DOCSTORE)),
                      std::vector<std::u16string>{u"Finance"});
            EXPECT_EQ(server.Requests().size(), 1u);

            // A server that does not answer: the wait cursor until the request fails.
            auto silent = std::make_unique<RawServer>();
            silent->SetBehaviour(RawServer::Behaviour::kSilent);
            sheet.FocusOn(IDC_SERVER_URL);
            sheet.Type(silent->Url());
            test::Click(sheet.Control(IDC_RELOAD));
            EXPECT_TRUE(WaitUntil([&] { return silent->Requests().size() == 1; }));
            EXPECT_TRUE(WaitCursorShown());
            silent.reset();
            box = sheet.WaitForMessageBox();
            ASSERT_NE(box, nullptr);
            EXPECT_TRUE(ReadMessageBox(box).text.starts_with(u"Failed to retrieve data from"));
            PressKey(box, VK_RETURN);
            EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box); }));
            sheet.Settle();
            EXPECT_FALSE(WaitCursorShown());

            // Without a user name nothing is fetched; the box asks for the credentials.
            sheet.FocusOn(IDC_USERNAME);
            sheet.Press(VK_DELETE);
            EXPECT_EQ(TextOf(sheet.Control(IDC_USERNAME)), u"");
            test::Click(sheet.Control(IDC_RELOAD));
            box = sheet.WaitForMessageBox();
            ASSERT_NE(box, nullptr);
            seen = ReadMessageBox(box);
            EXPECT_EQ(seen.caption, u"zarnRel");
            EXPECT_EQ(seen.text, u"A Username and Password are required");
            EXPECT_TRUE(seen.icon);
            EXPECT_TRUE(seen.ok);
            EXPECT_TRUE(seen.cancel);
            PressKey(box, VK_ESCAPE);
            EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box); }));
            sheet.Settle();
            EXPECT_TRUE(sheet.HasFocus(IDC_USERNAME));
            EXPECT_EQ(server.Requests().size(), 1u);

            // A password mapped to an index field shows its name plainly; typing again
            // starts empty and masked.
            test::Click(sheet.Control(IDC_PASSWORD_SOURCE));
            sheet.ChooseInMenu(sheet.WaitForMenu(), {2, 0});
            HWND password = sheet.Control(IDC_PASSWORD);
            EXPECT_FALSE(::IsWindowEnabled(password));
            EXPECT_EQ(TextOf(password), u"Invoice Number");
            EXPECT_EQ(::SendMessageW(password, EM_GETPASSWORDCHAR, 0, 0), 0);
            EXPECT_FALSE(::IsWindowEnabled(sheet.Control(IDC_RELOAD)));
            test::Click(sheet.Control(IDC_PASSWORD_SOURCE));
            HWND menu = sheet.WaitForMenu();
            ASSERT_NE(menu, nullptr);
            HMENU items = MenuOf(menu);
            EXPECT_FALSE(IsChecked(items, 0));
            EXPECT_FALSE(IsChecked(items, 1));
            EXPECT_TRUE(IsChecked(::GetSubMenu(items, 2), 0));
            EXPECT_FALSE(IsChecked(::GetSubMenu(items, 2), 1));
            sheet.ChooseInMenu(menu, {0});
            EXPECT_TRUE(::IsWindowEnabled(password));
            EXPECT_EQ(TextOf(password), u"");
            EXPECT_EQ(::SendMessageW(password, EM_GETPASSWORDCHAR, 0, 0), u'*');

            // A box without a source is passed over by the Tab key and takes no typing.
            test::Click(sheet.Control(IDC_SERVER_URL_SOURCE));
            sheet.ChooseInMenu(sheet.WaitForMenu(), {1});
            EXPECT_FALSE(::IsWindowEnabled(sheet.Control(IDC_SERVER_URL)));
            sheet.FocusOn(IDC_NAME);
            sheet.Press(VK_TAB);
            EXPECT_EQ(sheet.FocusId(), IDC_SERVER_URL_SOURCE);
            sheet.Type(u"typed");
            EXPECT_EQ(TextOf(sheet.Control(IDC_SERVER_URL)), u"");

            // Escape is Cancel.
            sheet.FocusOn(IDC_NAME);
            PressKey(sheet.Focus(), VK_ESCAPE);
            EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(sheet.Sheet()); }));
        }),
        host::KFX_REL_SUCCESS);

    // The Reloads that went to a server have handed the name to the host, nothing else.
    const std::vector<host::sim::JournalEntry> writes = host.JournalOfWrites().Entries();
    ASSERT_EQ(writes.size(), 2u);
    for (const host::sim::JournalEntry& write : writes) {
        EXPECT_EQ(write.operation, "ReleaseSetupData.PutName");
        EXPECT_EQ(write.texts, std::vector<std::u16string>{u"Invoices"});
    }
    EXPECT_EQ(Tuples(record->links), Tuples(stored));
    EXPECT_EQ(record->customProperties,
              (host::sim::NamedTexts{{u"docTypeKeyName[00]", u"Outdated"}}));
}

// Texts that no one types: a long one, control characters, right-to-left script and a lone
// half of a surrogate pair.
std::u16string Awkward(std::u16string_view tag) {
    return std::u16string(tag) +
           u"\t\x01\x7F \u05E9\u05DC\u05D5\u05DD \u0645\u0631\u062D\u0628\u0627 & \xD800";
}

// An awkward text as a catalogue brings it: XML 1.0 carries neither U+0001 nor a lone
// surrogate, and the server sends U+FFFD instead.
std::u16string FromServer(std::u16string text) {
    for (char16_t& unit : text) {
        if (unit == u'\x01' || unit == u'\xD800')
            unit = u'\xFFFD';
    }
    return text;
}

// How a menu item holds a text: '&' marks a mnemonic, "&&" shows '&'.
std::u16string MenuText(std::u16string_view text) {
    std::u16string doubled;
    for (char16_t unit : text)
        doubled += unit == u'&' ? std::u16string(u"&&") : std::u16string(1, unit);
    return doubled;
}

TEST_F(SetupWindows, HugeCataloguesAndOddRecordsKeepTheSheetWorkingAndTheRecordReadable) {
    catalogue.stores.clear();
    constexpr int kStores = 2000;
    for (int i = 1; i <= kStores; ++i)
        catalogue.stores.push_back({"Store " + std::to_string(10000 + i), "", "", {}, {}});
    docstore::FixtureStore& odd = catalogue.stores.front();
    odd.name = std::string(2000, 'N');
    odd.description = ToUtf8(Awkward(u"description"));
    for (int k = 1; k <= 12; ++k) {
        odd.keys.push_back(
            {k, "Key" + std::to_string(k), ToUtf8(Awkward(u"key")), "VARCHAR", 20, 0});
    }
    odd.documentTypes.push_back(
        {1, ToUtf8(Awkward(u"type")), std::string(2000, 'D'), "", false, {}});
    for (int k = 1; k <= 12; ++k)
        odd.documentTypes.back().keys.push_back({"Key" + std::to_string(k), k, false, false});
    server.SetReplies(CatalogueReplies(catalogue));

    record->name = std::u16string(2000, u'n') + Awkward(u"");
    record->indexFields.clear();
    for (int n = 1; n <= 300; ++n)
        record->indexFields.push_back({Awkward(u"Field " + Decimal(n)), u""});
    record->indexFields[254].name = std::u16string(2000, u'F');
    record->batchVariableNames.assign(300, Awkward(u"Value"));
    const std::u16string url = server.Url();
    record->links = {{u"from a newer host", 42, u"03"},
                     {u"nobody reads this", host::KFX_REL_TEXTCONSTANT, u"someDestination"},
                     {u"too late", host::KFX_REL_TEXTCONSTANT, u"25"},
                     {url, host::KFX_REL_TEXTCONSTANT, u"docStoreServer"},
                     {u"clerk", host::KFX_REL_TEXTCONSTANT, u"docStoreUsername"},
                     {u"s3cret", host::KFX_REL_TEXTCONSTANT, u"docStorePassword"},
                     {Awkward(u"store"), host::KFX_REL_TEXTCONSTANT, u"docStoreName"},
                     {u"", -9, u"docTypeName"}};

    EXPECT_EQ(RunSetup([&](SheetDriver& sheet) {
                  EXPECT_EQ(TextOf(sheet.Control(IDC_NAME)), record->name);
                  // The stored store is listed in its sorted place, in red, whatever its text.
                  EXPECT_EQ(ItemData(sheet.Control(IDC_DOCSTORE)), std::vector<LRESULT>{1});
                  // A Reload of thousands of stores takes its time under Wine: a request each.
                  test::Click(sheet.Control(IDC_RELOAD));
                  HWND stores = sheet.Control(IDC_DOCSTORE);
                  EXPECT_TRUE(WaitUntil(
                      [&] { return ::SendMessageW(stores, CB_GETCOUNT, 0, 0) == kStores + 1; },
                      std::chrono::minutes(5)));
                  sheet.Settle();
                  // The long name as far as the catalogue keeps it.
                  const std::vector<std::u16string> entries = ListEntries(stores);
                  const auto at = [&](auto matches) {
                      return static_cast<int>(
                          std::find_if(entries.begin(), entries.end(), matches) - entries.begin());
                  };
                  const int longName = at([](const std::u16string& entry) {
                      return entry.starts_with(std::u16string(1000, u'N'));
                  });
                  ASSERT_LT(longName, kStores + 1);
                  const int stored = at([&](const std::u16string& entry) {
                      return entry == record->links[6].source;
                  });
                  sheet.PickWithKeys(IDC_DOCSTORE, longName - stored);
                  EXPECT_EQ(TextOf(stores), entries[static_cast<std::size_t>(longName)]);
                  EXPECT_EQ(::SendMessageW(sheet.Control(IDC_DOCTYPE), CB_GETCOUNT, 0, 0), 1);
                  // A type of a source that the setup does not know is not typed until made a text
                  // constant, which then takes the store's only type.
                  EXPECT_FALSE(::IsWindowEnabled(sheet.Control(IDC_DOCTYPE)));
                  test::Click(sheet.Control(IDC_DOCTYPE_SOURCE));
                  sheet.ChooseInMenu(sheet.WaitForMenu(), {0});
                  EXPECT_EQ(TextOf(sheet.Control(IDC_DOCTYPE)), FromServer(Awkward(u"type")));

                  // The menus offer what their commands can reach: index fields 1 to 255 and
                  // Capture values 0 to 255.
                  test::Click(sheet.Control(IDC_DOC_FILENAME_SOURCE));
                  HWND menu = sheet.WaitForMenu();
                  ASSERT_NE(menu, nullptr);
                  HMENU items = MenuOf(menu);
                  EXPECT_EQ(::GetMenuItemCount(::GetSubMenu(items, 2)), 255);
                  EXPECT_EQ(::GetMenuItemCount(::GetSubMenu(items, 3)), 256);
                  // A menu shows "&&" as "&".
                  EXPECT_EQ(MenuTexts(::GetSubMenu(items, 2))[0], MenuText(Awkward(u"Field 1")));
                  sheet.ChooseInMenu(menu, {2, 254});
                  // Shown within the box's 1024 characters; stored whole.
                  EXPECT_EQ(TextOf(sheet.Control(IDC_DOC_FILENAME)), std::u16string(1024, u'F'));

                  sheet.SelectPageInList(1);
                  EXPECT_EQ(TextOf(sheet.Control(IDC_PARAMETER_LABEL_FIRST)),
                            FromServer(Awkward(u"key")) + u":");
                  EXPECT_FALSE(::IsWindowEnabled(sheet.Control(IDC_PARAMETER_VALUE_FIRST + 3)));
                  sheet.SelectPageInList(2);
                  EXPECT_EQ(TextOf(sheet.Control(IDC_PARAMETER_LABEL_FIRST + 1)),
                            FromServer(Awkward(u"key")) + u":");
                  EXPECT_EQ(TextOf(sheet.Control(IDC_PARAMETER_LABEL_FIRST + 2)), u"Parameter 13:");
                  sheet.SelectPageInList(0);
                  sheet.FocusOn(IDC_NAME);
                  PressKey(sheet.Focus(), VK_RETURN);
                  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(sheet.Sheet()); }));
              }),
              host::KFX_REL_SUCCESS);

    // What the setup wrote: its own destinations only, every source type one the release reads
    // (a numbered slot keeps a type it does not know), and texts as they were.
    std::vector<std::u16string> destinations;
    for (const Link& link : record->links) {
        destinations.push_back(link.destination);
        if (link.destination == u"03") {
            EXPECT_EQ(link.sourceType, 42);
        } else {
            EXPECT_GE(link.sourceType, host::KFX_REL_UNDEFINED_LINK);
            EXPECT_LE(link.sourceType, host::KFX_REL_DOCUMENTID);
        }
    }
    EXPECT_EQ(std::count(destinations.begin(), destinations.end(), u"someDestination"), 0);
    EXPECT_EQ(std::count(destinations.begin(), destinations.end(), u"25"), 0);
    const std::vector<LinkTuple> written = Tuples(record->links);
    EXPECT_NE(
        std::find(written.begin(), written.end(),
                  LinkTuple(std::u16string(2000, u'F'), host::KFX_REL_INDEXFIELD, u"docFilename")),
        written.end());
    EXPECT_EQ(record->name, std::u16string(2000, u'n') + Awkward(u""));
    EXPECT_EQ(*host::sim::FindText(record->customProperties, u"docTypeKeyName[00]"), u"Key1");

    // And a release reads it back and posts the document.
    server.SetReply(XmlReply(200, "OK", "<ok/>"));
    Script release = Script::Create(kReleaseProgId);
    host::sim::Document document;
    document.indexFields = {{record->indexFields[254].name, u"value"}};
    const std::filesystem::path scan = std::filesystem::temp_directory_path() / "zarn-odd.tif";
    std::ofstream(scan, std::ios::binary) << "II*";
    document.imageFiles = {scan.u16string()};
    IDispatch* data = host::sim::ReleaseDataDispatch(host.MakeReleaseData(record, {}, document));
    EXPECT_EQ(release.PutRef(L"DocumentData", data), S_OK);
    data->Release();
    EXPECT_EQ(release.Call(L"OpenScript"), host::KFX_REL_SUCCESS);
    EXPECT_EQ(release.Call(L"ReleaseDoc"), host::KFX_REL_SUCCESS);
    EXPECT_EQ(release.Call(L"CloseScript"), host::KFX_REL_SUCCESS);
    EXPECT_TRUE(server.Requests().back().head.starts_with("POST /docStore/store/NNNN"));
}

}  // namespace
}  // namespace zarn::test
