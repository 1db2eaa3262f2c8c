// XML documents on libxml2 and its XPath engine. Replies come from a server, so nothing they
// point at is ever fetched: no entity substitution, no external DTD, no network, and an entity
// loader that refuses everything in case some path still asks. Without XML_PARSE_HUGE the
// parser's own limits bound nesting depth, text sizes and the number of entity references; a
// document whose entities would expand its texts beyond a bound proportional to its size is
// refused, since the parser leaves the expansion to whoever reads a text.

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>
#include <libxml/xpath.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <mutex>
#include <string>

#include "common/utf16_text.h"
#include "transport/posix/libxml2_document.h"
#include "transport/posix/libxml2_expansion.h"

namespace zarn {
namespace {

using DocumentPtr = std::shared_ptr<xmlDoc>;

xmlParserInputPtr RefuseExternal(const char*, const char*, xmlParserCtxtPtr) {
    return nullptr;
}

void InitialiseLibxml2() {
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        xmlSetExternalEntityLoader(RefuseExternal);
    });
}

void IgnoreGenericError(void*, const char*, ...) {}
void IgnoreStructuredError(void*, xmlErrorPtr) {}

// libxml2 prints parse and XPath errors to stderr unless told otherwise; its handlers are per
// thread, so they are swapped for silent ones around each call and put back afterwards.
class SilentErrors {
  public:
    SilentErrors()
        : generic_(xmlGenericError),
          genericContext_(xmlGenericErrorContext),
          structured_(xmlStructuredError),
          structuredContext_(xmlStructuredErrorContext) {
        xmlSetGenericErrorFunc(nullptr, IgnoreGenericError);
        xmlSetStructuredErrorFunc(nullptr, IgnoreStructuredError);
    }
    ~SilentErrors() {
        xmlSetGenericErrorFunc(genericContext_, generic_);
        xmlSetStructuredErrorFunc(structuredContext_, structured_);
    }
    SilentErrors(const SilentErrors&) = delete;
    SilentErrors& operator=(const SilentErrors&) = delete;

  private:
    xmlGenericErrorFunc generic_;
    void* genericContext_;
    xmlStructuredErrorFunc structured_;
    void* structuredContext_;
};

// `encoding` overrides what the document declares (for text that is already decoded); null
// lets the parser detect it.
DocumentPtr Parse(std::string_view bytes, const char* encoding) {
    InitialiseLibxml2();
    if (bytes.size() > INT_MAX)
        return nullptr;
    SilentErrors silent;
    xmlParserCtxtPtr context = xmlNewParserCtxt();
    if (context == nullptr)
        return nullptr;
    int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_COMPACT;
    if (encoding != nullptr)
        options |= XML_PARSE_IGNORE_ENC;
    xmlDocPtr document = xmlCtxtReadMemory(context, bytes.data(), static_cast<int>(bytes.size()),
                                           nullptr, encoding, options);
    xmlFreeParserCtxt(context);
    if (document == nullptr)
        return nullptr;
    DocumentPtr owned(document, xmlFreeDoc);
    if (!ExpansionWithin(document, MaxExpandedText(bytes.size())))
        return nullptr;
    return owned;
}

std::u16string NodeText(xmlNodePtr node) {
    // A record field holds one piece of text: it is read where it lies, without the copy that
    // gathering the content of every descendant makes.
    if (node->type == XML_ELEMENT_NODE) {
        xmlNodePtr child = node->children;
        if (child == nullptr)
            return {};
        if (child->next == nullptr &&
            (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE) &&
            child->content != nullptr) {
            return FromUtf8(reinterpret_cast<const char*>(child->content));
        }
    }
    xmlChar* content = xmlNodeGetContent(node);
    if (content == nullptr)
        return {};
    std::u16string text = FromUtf8(reinterpret_cast<const char*>(content));
    xmlFree(content);
    return text;
}

// Whether the expression is a bare element name (an ASCII NCName), which selects the element
// children of that name in no namespace.
bool IsChildName(std::u16string_view expression) {
    auto isStart = [](char16_t c) {
        return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
    };
    auto isPart = [&](char16_t c) {
        return isStart(c) || (c >= u'0' && c <= u'9') || c == u'-' || c == u'.';
    };
    return !expression.empty() && isStart(expression[0]) &&
           std::all_of(expression.begin(), expression.end(), isPart);
}

// Whether the element's name is `name`, an ASCII NCName.
bool HasName(xmlNodePtr element, std::u16string_view name) {
    const xmlChar* own = element->name;
    std::size_t i = 0;
    // A shorter name ends in a zero, which no unit of `name` matches.
    for (; i < name.size(); ++i) {
        if (own[i] != name[i])
            return false;
    }
    return own[i] == 0;
}

// Gives `take` the nodes that the expression finds from `node`, in document order, until it
// returns false; none for an expression that does not parse or does not give a node set.
template <typename Take>
void Evaluate(const DocumentPtr& document, xmlNodePtr node, std::u16string_view xpath, Take take) {
    if (!document)
        return;
    // Readers select record fields by bare child names, hundreds of thousands of them for a large
    // catalogue; walking the children gives the same nodes without an XPath context per call.
    if ((node->type == XML_ELEMENT_NODE || node->type == XML_DOCUMENT_NODE) && IsChildName(xpath)) {
        for (xmlNodePtr child = node->children; child != nullptr; child = child->next) {
            if (child->type == XML_ELEMENT_NODE && child->ns == nullptr && HasName(child, xpath) &&
                !take(child)) {
                return;
            }
        }
        return;
    }
    std::string expression = ToUtf8(xpath);
    if (expression.find('\0') != std::string::npos)
        return;
    SilentErrors silent;
    xmlXPathContextPtr context = xmlXPathNewContext(document.get());
    if (context == nullptr)
        return;
    context->node = node;
    context->error = IgnoreStructuredError;
    xmlXPathObjectPtr result =
        xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(expression.c_str()), context);
    if (result != nullptr && result->type == XPATH_NODESET && result->nodesetval != nullptr) {
        for (int i = 0; i < result->nodesetval->nodeNr; ++i) {
            xmlNodePtr found = result->nodesetval->nodeTab[i];
            // Namespace nodes are copies that die with the result; they are not kept.
            if (found->type != XML_NAMESPACE_DECL && !take(found))
                break;
        }
    }
    xmlXPathFreeObject(result);
    xmlXPathFreeContext(context);
}

class Libxml2Node : public XmlNode {
  public:
    Libxml2Node(DocumentPtr document, xmlNodePtr node)
        : document_(std::move(document)), node_(node) {}

    std::u16string Text() const override { return node_ ? NodeText(node_) : std::u16string(); }

    std::unique_ptr<XmlNode> SelectSingleNode(std::u16string_view xpath) const override {
        std::unique_ptr<XmlNode> node;
        Evaluate(document_, node_, xpath, [&](xmlNodePtr found) {
            node = std::make_unique<Libxml2Node>(document_, found);
            return false;
        });
        return node;
    }

    std::vector<std::unique_ptr<XmlNode>> SelectNodes(std::u16string_view xpath) const override {
        std::vector<std::unique_ptr<XmlNode>> nodes;
        Evaluate(document_, node_, xpath, [&](xmlNodePtr found) {
            nodes.push_back(std::make_unique<Libxml2Node>(document_, found));
            return true;
        });
        return nodes;
    }

  private:
    DocumentPtr document_;
    xmlNodePtr node_;
};

class Libxml2Document final : public XmlDocument {
  public:
    explicit Libxml2Document(DocumentPtr document) : document_(std::move(document)) {}

    bool LoadXml(std::u16string_view text) override {
        document_ = Parse(ToUtf8(text), "UTF-8");
        return document_ != nullptr;
    }

    std::u16string Text() const override { return AsNode().Text(); }
    std::unique_ptr<XmlNode> SelectSingleNode(std::u16string_view xpath) const override {
        return AsNode().SelectSingleNode(xpath);
    }
    std::vector<std::unique_ptr<XmlNode>> SelectNodes(std::u16string_view xpath) const override {
        return AsNode().SelectNodes(xpath);
    }

  private:
    Libxml2Node AsNode() const {
        return Libxml2Node(document_, reinterpret_cast<xmlNodePtr>(document_.get()));
    }

    DocumentPtr document_;
};

class Libxml2DocumentFactory final : public XmlDocumentFactory {
  public:
    HResult Create(std::unique_ptr<XmlDocument>& document) override {
        document = std::make_unique<Libxml2Document>(nullptr);
        return kOk;
    }
};

}  // namespace

std::unique_ptr<XmlDocument> ParseXmlBytes(std::string_view bytes) {
    return std::make_unique<Libxml2Document>(Parse(bytes, nullptr));
}

XmlDocumentFactory& PlatformXmlDocumentFactory() {
    static Libxml2DocumentFactory factory;
    return factory;
}

}  // namespace zarn
