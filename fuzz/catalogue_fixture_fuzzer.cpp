// Any bytes as the reference server's catalogue file: a catalogue that is accepted is served
// as replies that the connector reads as catalogue documents.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tools/docstore_server/catalogue_fixture.h"
#include "tools/docstore_server/server_replies.h"
#include "transport/posix/libxml2_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    zarn::docstore::Catalogue catalogue;
    std::string error;
    if (!zarn::docstore::ParseCatalogueFixture("catalogue.json", text, catalogue, error))
        return 0;
    if (!zarn::ParseXmlBytes(zarn::docstore::StoreListXml(catalogue))->SelectSingleNode(u"/ZARN"))
        __builtin_trap();
    for (const zarn::docstore::FixtureStore& store : catalogue.stores) {
        if (!zarn::ParseXmlBytes(zarn::docstore::StoreDetailsXml(store))
                 ->SelectSingleNode(u"/ZARN/docStore/store/name"))
            __builtin_trap();
    }
    return 0;
}
