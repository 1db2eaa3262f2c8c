// XML documents on MSXML 6.0's DOMDocument60 and its XPath selection.

#include "transport/win32/msxml_document.h"

#include "common/win32/bstr.h"
#include "common/win32/variant.h"
#include "transport/win32/entity_expansion_scan.h"
#include "transport/win32/msxml_ids.h"

namespace zarn::win32 {
namespace {

// The bounds that libxml2 applies on the other platform: nesting depth, and the largest reply
// the transport accepts (in kilobytes). MSXML bounds neither the number of entity references
// nor what they expand to (its size limit counts each entity once): the entity scan refuses a
// document whose entities would expand beyond the bound that libxml2's documents keep.
constexpr long kMaxElementDepth = 256;
constexpr long kMaxXmlSizeKb = 64 * 1024;

// Whether the entities of a byte array's document stay within the bound; false for anything
// but a byte array.
bool BytesWithinExpansion(const VARIANT& bytes) {
    if (bytes.vt != (VT_ARRAY | VT_UI1) || !bytes.parray || ::SafeArrayGetDim(bytes.parray) != 1)
        return false;
    LONG lower = 0;
    LONG upper = -1;
    void* data = nullptr;
    if (FAILED(::SafeArrayGetLBound(bytes.parray, 1, &lower)) ||
        FAILED(::SafeArrayGetUBound(bytes.parray, 1, &upper)) ||
        FAILED(::SafeArrayAccessData(bytes.parray, &data))) {
        return false;
    }
    std::string_view view(static_cast<const char*>(data),
                          static_cast<std::size_t>(upper - lower + 1));
    bool within = EntityExpansionWithin(view, MaxExpandedText(view.size()));
    ::SafeArrayUnaccessData(bytes.parray);
    return within;
}

// The node operations, over a node or over a document's own node.
template <typename Base>
class MsxmlNodeOf : public Base {
  public:
    explicit MsxmlNodeOf(ComPtr<IXMLDOMNode> node) : node_(std::move(node)) {}

    std::u16string Text() const override {
        Bstr text;
        if (FAILED(node_->get_text(text.Receive())))
            return {};
        return text.Text();
    }

    std::unique_ptr<XmlNode> SelectSingleNode(std::u16string_view xpath) const override {
        Bstr expression(xpath);
        ComPtr<IXMLDOMNode> found;
        // S_FALSE: nothing found; an expression that cannot be evaluated fails.
        if (node_->selectSingleNode(expression.get(), found.Receive()) != S_OK || !found)
            return nullptr;
        return std::make_unique<MsxmlNodeOf<XmlNode>>(std::move(found));
    }

    std::vector<std::unique_ptr<XmlNode>> SelectNodes(std::u16string_view xpath) const override {
        std::vector<std::unique_ptr<XmlNode>> nodes;
        Bstr expression(xpath);
        ComPtr<IXMLDOMNodeList> list;
        long length = 0;
        if (FAILED(node_->selectNodes(expression.get(), list.Receive())) || !list ||
            FAILED(list->get_length(&length))) {
            return nodes;
        }
        nodes.reserve(static_cast<std::size_t>(length > 0 ? length : 0));
        for (long i = 0; i < length; ++i) {
            ComPtr<IXMLDOMNode> item;
            if (list->get_item(i, item.Receive()) == S_OK && item)
                nodes.push_back(std::make_unique<MsxmlNodeOf<XmlNode>>(std::move(item)));
        }
        return nodes;
    }

  private:
    ComPtr<IXMLDOMNode> node_;
};

class MsxmlDocument final : public MsxmlNodeOf<XmlDocument> {
  public:
    MsxmlDocument(ComPtr<IXMLDOMDocument2> document, ComPtr<IXMLDOMNode> node)
        : MsxmlNodeOf(std::move(node)), document_(std::move(document)) {}

    bool LoadXml(std::u16string_view text) override {
        if (!EntityExpansionWithin(text, MaxExpandedText(text.size())))
            return false;
        Bstr xml(text);
        VARIANT_BOOL loaded = VARIANT_FALSE;
        return SUCCEEDED(document_->loadXML(xml.get(), &loaded)) && loaded == VARIANT_TRUE;
    }

    bool LoadBytes(const VARIANT& bytes) {
        if (!BytesWithinExpansion(bytes))
            return false;
        VARIANT_BOOL loaded = VARIANT_FALSE;
        return SUCCEEDED(document_->load(bytes, &loaded)) && loaded == VARIANT_TRUE;
    }

  private:
    ComPtr<IXMLDOMDocument2> document_;
};

HRESULT SetProperty(IXMLDOMDocument2& document, const wchar_t* name, VARIANT& value) {
    Bstr property(reinterpret_cast<const char16_t*>(name));
    return document.setProperty(property.get(), value);
}

HRESULT Configure(IXMLDOMDocument2& document) {
    HRESULT hr = document.put_validateOnParse(VARIANT_FALSE);
    if (SUCCEEDED(hr))
        hr = document.put_resolveExternals(VARIANT_FALSE);
    if (SUCCEEDED(hr))
        hr = document.put_async(VARIANT_FALSE);
    // Text content exactly as the server wrote it, blanks at the ends included.
    if (SUCCEEDED(hr))
        hr = document.put_preserveWhiteSpace(VARIANT_TRUE);
    VARIANT value;
    value.vt = VT_BOOL;
    value.boolVal = VARIANT_FALSE;
    if (SUCCEEDED(hr))
        hr = SetProperty(document, L"ProhibitDTD", value);
    if (FAILED(hr))
        return hr;
    // Bounds that an older MSXML (or another implementation of it) may not know: it then keeps
    // its own limits. Wine 8's refuses both (E_FAIL) and keeps its parser's depth limit of 256;
    // it accepts ProhibitDTD and ignores it.
    value.vt = VT_I4;
    value.lVal = kMaxElementDepth;
    SetProperty(document, L"MaxElementDepth", value);
    value.lVal = kMaxXmlSizeKb;
    SetProperty(document, L"MaxXMLSize", value);
    return S_OK;
}

HRESULT Create(std::unique_ptr<MsxmlDocument>& created) {
    ComPtr<IXMLDOMDocument2> document;
    HRESULT hr =
        ::CoCreateInstance(kClsidDomDocument60, nullptr, CLSCTX_SERVER, IID_IXMLDOMDocument2,
                           reinterpret_cast<void**>(document.Receive()));
    if (FAILED(hr))
        return hr;
    if (FAILED(hr = Configure(*document)))
        return hr;
    ComPtr<IXMLDOMNode> node;
    if (FAILED(hr = document.As(IID_IXMLDOMNode, node)))
        return hr;
    created = std::make_unique<MsxmlDocument>(std::move(document), std::move(node));
    return S_OK;
}

}  // namespace

HRESULT CreateMsxmlDocument(std::unique_ptr<XmlDocument>& document) {
    std::unique_ptr<MsxmlDocument> created;
    HRESULT hr = Create(created);
    if (SUCCEEDED(hr))
        document = std::move(created);
    return hr;
}

HRESULT ParseMsxmlBytes(const VARIANT& bytes, std::unique_ptr<XmlDocument>& document) {
    std::unique_ptr<MsxmlDocument> created;
    HRESULT hr = Create(created);
    if (FAILED(hr))
        return hr;
    if (!created->LoadBytes(bytes)) {
        // What a failed load left behind is dropped: the reply is an empty document.
        if (FAILED(hr = Create(created)))
            return hr;
    }
    document = std::move(created);
    return S_OK;
}

}  // namespace zarn::win32
