#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "common/byte_stream.h"
#include "common/file_system.h"
#include "common/services.h"
#include "transport/xml_document.h"

namespace zarn {

enum class FileAddResult {
    kAdded,
    kNotOpened,  // nothing was appended
    // The file could not be copied whole (a read error part-way, or memory ran out): the body
    // holds part of it and must not be sent.
    kReadFailed,
};

// A multipart/form-data request body under construction, held in memory, and its sending.
class MultipartBody {
  public:
    MultipartBody(std::u16string boundary, FileSystem& files);

    // Appends the text as UTF-8; false when the stream took fewer bytes.
    [[nodiscard]] bool AppendText(std::u16string_view text);
    // AppendText's result; the release goes on without a field that memory could not hold.
    bool AddTextField(std::u16string_view name, std::u16string_view value);
    // An empty fileName stands for the name of the opened file.
    FileAddResult AddFile(std::u16string_view name, std::u16string_view fileName,
                          const std::u16string& path);

    // Finishes the body and posts it to `url`. True only for a reply with status 200, whose
    // parsed body then goes to `response`; otherwise `error` gets one line of text.
    [[nodiscard]] bool Post(const Services& services, std::u16string_view url,
                            std::u16string_view user, std::u16string_view password,
                            std::unique_ptr<XmlDocument>& response, std::u16string& error);

    const ByteStream& Stream() const { return stream_; }
    const std::u16string& Boundary() const { return boundary_; }

  private:
    ByteStream stream_;
    std::u16string boundary_;
    FileSystem& files_;
};

}  // namespace zarn
