#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/hresult.h"

namespace zarn {

// One node of a parsed XML document. A node keeps its document alive.
class XmlNode {
  public:
    virtual ~XmlNode() = default;

    // The text content of the node and everything below it.
    virtual std::u16string Text() const = 0;

    // The first node that the XPath expression finds relative to this node, or null (also for
    // an expression that cannot be evaluated).
    [[nodiscard]] virtual std::unique_ptr<XmlNode> SelectSingleNode(
        std::u16string_view xpath) const = 0;

    // Every node that the expression finds, in document order.
    virtual std::vector<std::unique_ptr<XmlNode>> SelectNodes(std::u16string_view xpath) const = 0;
};

// The XML document seam. A document type declaration is accepted; external entities and DTDs
// are never fetched and entity expansion is bounded.
class XmlDocument : public XmlNode {
  public:
    // Parses the text, replacing what the document held; false when it is not well formed.
    [[nodiscard]] virtual bool LoadXml(std::u16string_view text) = 0;
};

// The most that the texts of a document of `size` units (bytes or UTF-16 code units) may grow
// to once its entities are expanded: eight times its size and a megabyte. A document beyond it
// is refused as not well formed.
constexpr std::uint64_t MaxExpandedText(std::uint64_t size) {
    return (std::uint64_t{1} << 20) + 8 * size;
}

class XmlDocumentFactory {
  public:
    virtual ~XmlDocumentFactory() = default;
    [[nodiscard]] virtual HResult Create(std::unique_ptr<XmlDocument>& document) = 0;
};

XmlDocumentFactory& PlatformXmlDocumentFactory();

}  // namespace zarn
