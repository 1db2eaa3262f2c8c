#pragma once

#include <memory>
#include <string>

#include "common/services.h"
#include "common/texts.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/recording_user_interface.h"
#include "transport/http_request.h"
#include "transport/xml_document.h"

namespace zarn::test {

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
