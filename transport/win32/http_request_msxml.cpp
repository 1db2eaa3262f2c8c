// The request object on MSXML 6.0's XMLHTTP60, driven synchronously. The body goes to send as
// one byte array: the platform sends a stream body whole on Windows, but Wine's sends nothing.

#include <msxml2.h>

#include <algorithm>
#include <limits>
#include <new>

#include "common/utf16_text.h"
#include "common/win32/bstr.h"
#include "common/win32/com_ptr.h"
#include "common/win32/variant.h"
#include "transport/http_request.h"
#include "transport/win32/msxml_document.h"
#include "transport/win32/msxml_ids.h"
#include "transport/wire_url.h"

namespace zarn {
namespace {

using win32::Bstr;
using win32::ComPtr;
using win32::Variant;

// A SAFEARRAY of bytes holding the first `length` bytes of the body.
HRESULT BodyArray(const ByteStream& body, std::uint64_t length, VARIANT& array) {
    if (length > body.Size() || length > std::numeric_limits<ULONG>::max() ||
        length > std::numeric_limits<std::size_t>::max()) {
        return E_OUTOFMEMORY;
    }
    SAFEARRAY* bytes = ::SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(length));
    if (!bytes)
        return E_OUTOFMEMORY;
    void* data = nullptr;
    if (FAILED(::SafeArrayAccessData(bytes, &data))) {
        ::SafeArrayDestroy(bytes);
        return E_OUTOFMEMORY;
    }
    body.Read(0, data, static_cast<std::size_t>(length));
    ::SafeArrayUnaccessData(bytes);
    array.vt = VT_ARRAY | VT_UI1;
    array.parray = bytes;
    return S_OK;
}

HResult Text(HRESULT (STDMETHODCALLTYPE IXMLHTTPRequest::*read)(BSTR*), IXMLHTTPRequest& request,
             std::u16string& text) {
    Bstr value;
    HRESULT hr = (request.*read)(value.Receive());
    if (SUCCEEDED(hr))
        text = value.Text();
    return hr;
}

class MsxmlHttpRequest final : public HttpRequest {
  public:
    explicit MsxmlHttpRequest(ComPtr<IXMLHTTPRequest> request) : request_(std::move(request)) {}

    HResult Open(std::u16string_view method, std::u16string_view url, bool asynchronous,
                 std::u16string_view user, std::u16string_view password) override {
        Bstr methodText(method);
        // Wine's request object decodes escapes and sends other letters as single bytes: it gets
        // the URL as it must appear on the wire.
        Bstr urlText(FromUtf8(WireUrl(url)));
        Variant async;
        async.get()->vt = VT_I2;
        async.get()->iVal = asynchronous ? 1 : 0;
        Variant userText;
        userText.get()->vt = VT_BSTR;
        userText.get()->bstrVal = Bstr(user).Detach();
        Variant passwordText;
        passwordText.get()->vt = VT_BSTR;
        passwordText.get()->bstrVal = Bstr(password).Detach();
        return request_->open(methodText.get(), urlText.get(), *async, *userText, *passwordText);
    }

    HResult SetRequestHeader(std::u16string_view name, std::u16string_view value) override {
        Bstr nameText(name);
        Bstr valueText(value);
        return request_->setRequestHeader(nameText.get(), valueText.get());
    }

    HResult Send(const ByteStream* body, std::uint64_t length) override {
        Variant content;
        if (body) {
            if (HRESULT hr = BodyArray(*body, length, *content.get()); FAILED(hr))
                return hr;
        }
        return request_->send(*content);
    }

    HResult GetStatus(std::int32_t& status) override {
        long value = 0;
        HRESULT hr = request_->get_status(&value);
        if (SUCCEEDED(hr))
            status = value;
        return hr;
    }

    HResult GetStatusText(std::u16string& text) override {
        return Text(&IXMLHTTPRequest::get_statusText, *request_, text);
    }

    HResult GetResponseText(std::u16string& text) override {
        return Text(&IXMLHTTPRequest::get_responseText, *request_, text);
    }

    // The reply's bytes parsed by a document configured as every reply is, so that a document
    // type declaration is accepted and nothing external is fetched.
    HResult GetResponseXml(std::unique_ptr<XmlDocument>& document) override {
        Variant bytes;
        HRESULT hr = request_->get_responseBody(bytes.get());
        if (FAILED(hr))
            return hr;
        return win32::ParseMsxmlBytes(*bytes, document);
    }

  private:
    ComPtr<IXMLHTTPRequest> request_;
};

class MsxmlHttpRequestFactory final : public HttpRequestFactory {
  public:
    HResult Create(std::unique_ptr<HttpRequest>& request) override {
        ComPtr<IXMLHTTPRequest> created;
        HRESULT hr =
            ::CoCreateInstance(win32::kClsidXmlHttp60, nullptr, CLSCTX_SERVER, IID_IXMLHTTPRequest,
                               reinterpret_cast<void**>(created.Receive()));
        if (SUCCEEDED(hr))
            request = std::make_unique<MsxmlHttpRequest>(std::move(created));
        return hr;
    }
};

class MsxmlDocumentFactory final : public XmlDocumentFactory {
  public:
    HResult Create(std::unique_ptr<XmlDocument>& document) override {
        return win32::CreateMsxmlDocument(document);
    }
};

}  // namespace

// XMLHTTP60 has no time limits that a caller can set.
std::unique_ptr<HttpRequestFactory> CreatePlatformHttpRequestFactory(const TransferLimits& limits) {
    if (limits.connectTimeout.count() > 0 || limits.timeout.count() > 0)
        return nullptr;
    return std::make_unique<MsxmlHttpRequestFactory>();
}

HttpRequestFactory& PlatformHttpRequestFactory() {
    static MsxmlHttpRequestFactory factory;
    return factory;
}

XmlDocumentFactory& PlatformXmlDocumentFactory() {
    static MsxmlDocumentFactory factory;
    return factory;
}

}  // namespace zarn
