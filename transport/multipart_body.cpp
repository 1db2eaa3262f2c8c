#include "transport/multipart_body.h"

#include <cstdint>

#include "common/utf16_text.h"
#include "transport/http_client.h"

namespace zarn {
namespace {

// The closing CR LF CR LF that ends every finished body.
constexpr std::uint64_t kClosingLineEnds = 4;

std::u16string PostSendFailure(Texts& texts, HResult code) {
    return FillTemplate(u"http request failed: %s, %s",
                        {Hex8(static_cast<std::uint32_t>(code)), ErrorCodeText(texts, code)});
}

std::u16string PostStatusFailure(const Services& services, HttpRequest& request,
                                 std::int32_t status) {
    std::u16string replyText;
    if (Failed(request.GetResponseText(replyText)))
        replyText.clear();
    return FillTemplate(
        u"HTTP Request returned %d (%s) %s",
        {Decimal(status), ReasonPhrase(request), ReplyStatusDescription(services.xml, replyText)});
}

}  // namespace

MultipartBody::MultipartBody(std::u16string boundary, FileSystem& files)
    : boundary_(std::move(boundary)), files_(files) {}

bool MultipartBody::AppendText(std::u16string_view text) {
    std::string bytes = ToUtf8(text);
    return stream_.Write(bytes.data(), bytes.size()) == bytes.size();
}

bool MultipartBody::AddTextField(std::u16string_view name, std::u16string_view value) {
    return AppendText(
        FillTemplate(u"--%s\r\nContent-Disposition: form-data; name=\"%s\"\r\n\r\n%s\r\n",
                     {boundary_, name, value}));
}

FileAddResult MultipartBody::AddFile(std::u16string_view name, std::u16string_view fileName,
                                     const std::u16string& path) {
    std::unique_ptr<ReadOnlyFile> file = files_.OpenExclusive(path);
    if (!file)
        return FileAddResult::kNotOpened;
    std::u16string shownName = fileName.empty() ? file->Name() : std::u16string(fileName);
    if (!AppendText(FillTemplate(u"--%s\r\nContent-Disposition: form-data; name=\"%s\"; "
                                 u"filename=\"%s\"\r\nContent-Type: %s\r\n\r\n",
                                 {boundary_, name, shownName, u"text/plain"}))) {
        return FileAddResult::kReadFailed;
    }
    // Read straight into the body's memory, so a document is copied once. A document that is
    // not copied whole must never go out as if it were.
    for (;;) {
        const std::span<std::uint8_t> room = stream_.Room();
        std::size_t count = 0;
        if (room.empty() || !file->Read(room.data(), room.size(), count))
            return FileAddResult::kReadFailed;
        if (count == 0)
            break;
        stream_.Grow(count);
    }
    return AppendText(u"\r\n") ? FileAddResult::kAdded : FileAddResult::kReadFailed;
}

bool MultipartBody::Post(const Services& services, std::u16string_view url,
                         std::u16string_view user, std::u16string_view password,
                         std::unique_ptr<XmlDocument>& response, std::u16string& error) {
    std::unique_ptr<HttpRequest> request;
    if (!OpenRequest(services, u"POST", url, user, password, request, error))
        return false;
    if (Failed(request->SetRequestHeader(u"Content-type",
                                         u"multipart/form-data; boundary=" + boundary_))) {
        error = u"Failed to setRequestHeader (Content-type)";
        return false;
    }
    if (!AppendText(FillTemplate(u"--%s--\r\n\r\n", {boundary_}))) {
        error = u"Failed to finish the request body";
        return false;
    }
    // The announced length leaves out the closing CR LF CR LF. Exactly the announced bytes are
    // sent, so no stray bytes follow the message on a connection that stays open.
    std::uint64_t announced = stream_.Size() - kClosingLineEnds;
    if (Failed(request->SetRequestHeader(u"Content-Length",
                                         Decimal(static_cast<std::int64_t>(announced))))) {
        error = u"Failed to setRequestHeader";
        return false;
    }
    return SendAndJudge(services, *request, &stream_, announced,
                        {PostSendFailure, PostStatusFailure}, response, error);
}

}  // namespace zarn
