#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "common/file_system.h"
#include "common/services.h"
#include "common/texts.h"
#include "tests/support/recording_user_interface.h"
#include "transport/http_request.h"
#include "transport/xml_document.h"

namespace zarn::test {

// Files held in memory. A file can be told to fail its reads after a number of chunks.
class MemoryFileSystem : public FileSystem {
  public:
    struct File {
        std::string content;
        int failAfterReads = -1;  // -1: never fails
    };

    bool Exists(const std::u16string& path) override { return files.count(path) != 0; }
    std::unique_ptr<ReadOnlyFile> OpenExclusive(const std::u16string& path) override;

    std::map<std::u16string, File> files;
};

// The platform seams for transport tests: files in memory, the platform's request objects (with
// short limits where it has them) unless others are given, its XML documents and texts, a
// recording user interface.
struct TransportServices {
    TransportServices();
    explicit TransportServices(std::unique_ptr<HttpRequestFactory> factory);

    MemoryFileSystem files;
    std::unique_ptr<HttpRequestFactory> http;
    RecordingUserInterface ui;
    Services services;
};

std::string Narrow(std::u16string_view text);

}  // namespace zarn::test
