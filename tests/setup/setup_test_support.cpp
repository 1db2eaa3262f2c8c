#include "tests/setup/setup_test_support.h"

#include <gtest/gtest.h>

#include "common/file_system.h"
#include "common/texts.h"
#include "common/utf16_text.h"
#include "transport/http_request.h"
#include "transport/url_encode.h"
#include "transport/xml_document.h"

namespace zarn::test {
namespace {

std::string Element(const std::string& name, const std::string& text) {
    return "<" + name + ">" + text + "</" + name + ">";
}

std::string StoreListXml(const std::vector<StoreSpec>& stores) {
    std::string xml = "<?xml version=\"1.0\"?><ZARN><docStore>";
    for (const StoreSpec& store : stores) {
        xml += "<store>" + Element("name", store.name) + Element("description", store.description) +
               "</store>";
    }
    return xml + "</docStore></ZARN>";
}

std::string DetailsXml(const StoreSpec& store) {
    std::string keys;
    std::string types;
    std::string links;
    int keyId = 100;
    for (std::size_t t = 0; t < store.docTypes.size(); ++t) {
        const DocTypeSpec& type = store.docTypes[t];
        const std::string typeId = std::to_string(t + 1);
        types += "<documentType>" + Element("name", type.name) +
                 Element("description", type.description) + Element("id", typeId) +
                 "</documentType>";
        for (std::size_t k = 0; k < type.keys.size(); ++k) {
            const KeySpec& key = type.keys[k];
            const std::string id = std::to_string(keyId++);
            if (key.onServer) {
                keys += "<docStoreKey>" + Element("name", key.name) +
                        Element("description", key.description) + Element("type", "VARCHAR") +
                        Element("id", id) + Element("size", "40") + "</docStoreKey>";
            }
            links += "<documentTypeKey>" + Element("docTypeID", typeId) +
                     Element("keyTableID", id) + Element("sortIndex", std::to_string(k)) +
                     "</documentTypeKey>";
        }
    }
    return "<?xml version=\"1.0\"?><ZARN><docStore><store>" + Element("docStoreKeys", keys) +
           Element("documentTypes", types) + Element("documentTypeKeys", links) +
           "</store></docStore></ZARN>";
}

}  // namespace

SimSetup::SimSetup()
    : record(std::make_shared<host::sim::SetupRecord>()), data(host.MakeSetupData(record)) {}

std::optional<std::u16string> SimSetup::Property(std::u16string_view name) const {
    const std::u16string* value = host::sim::FindText(record->customProperties, name);
    return value ? std::optional<std::u16string>(*value) : std::nullopt;
}

void SimSetup::SetProperty(std::u16string name, std::u16string value) {
    record->customProperties.emplace_back(std::move(name), std::move(value));
}

std::size_t SimSetup::Writes(std::string_view operation) const {
    return host.JournalOfWrites().Entries(operation).size();
}

TestServices::TestServices()
    : services{PlatformFileSystem(), PlatformHttpRequestFactory(), PlatformXmlDocumentFactory(),
               PlatformTexts(), ui} {}

void CatalogueServer::Serve(const std::vector<StoreSpec>& stores) {
    server.SetReply("/docStore/store/", {200, "text/xml", StoreListXml(stores), {}});
    for (const StoreSpec& store : stores) {
        const std::string path =
            "/docStore/store/" + ToUtf8(UrlEncode(FromUtf8(store.name))) + "/docTypeKey/";
        server.SetReply(path, {200, "text/xml", DetailsXml(store), {}});
    }
}

LoadedCatalogue::LoadedCatalogue(const std::vector<StoreSpec>& stores) {
    server.Serve(stores);
    manager.SetServerURL(server.Url());
    manager.SetCredentials(u"admin", u"secret");
    EXPECT_TRUE(manager.LoadCatalogue());
}

void PageTest::LoadSettings() {
    LoadReleaseSettings(settings);
    EXPECT_TRUE(LoadReleaseLinks(settings));
    EXPECT_TRUE(LoadCaptureValueNames(settings));
}

MemoryDialog& PageTest::Open(PropertyPage& page) {
    window = MemoryDialog::FromTemplate(page.TemplateId(), services.ui);
    window->SetEvents(&page);
    page.OnInitDialog(*window);
    EXPECT_TRUE(page.OnSetActive());
    return *window;
}

void PageTest::LoadCatalogue(const std::vector<StoreSpec>& stores) {
    server.Serve(stores);
    catalogue.SetServerURL(server.Url());
    catalogue.SetCredentials(u"admin", u"secret");
    settings.catalogueLoaded = catalogue.LoadCatalogue();
}

DocTypeSpec NumberedKeys(std::string name, int count) {
    DocTypeSpec type{std::move(name), "", {}};
    for (int i = 1; i <= count; ++i) {
        type.keys.push_back({"Key" + std::to_string(i), "Description " + std::to_string(i)});
    }
    return type;
}

std::vector<LinkTuple> Tuples(const std::vector<host::sim::Link>& links) {
    std::vector<LinkTuple> tuples;
    for (const host::sim::Link& link : links)
        tuples.emplace_back(link.source, link.sourceType, link.destination);
    return tuples;
}

}  // namespace zarn::test
