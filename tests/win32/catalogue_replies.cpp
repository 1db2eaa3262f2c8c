#include "tests/win32/catalogue_replies.h"

#include "tools/docstore_server/server_replies.h"

namespace zarn::test {

std::string XmlReply(int status, const std::string& reason, const std::string& body) {
    return "HTTP/1.1 " + std::to_string(status) + " " + reason +
           "\r\nContent-Type: text/xml\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\n\r\n" + body;
}

std::vector<std::string> CatalogueReplies(const docstore::Catalogue& catalogue) {
    std::vector<std::string> replies = {XmlReply(200, "OK", docstore::StoreListXml(catalogue))};
    for (const docstore::FixtureStore& store : catalogue.stores)
        replies.push_back(XmlReply(200, "OK", docstore::StoreDetailsXml(store)));
    return replies;
}

}  // namespace zarn::test
