#pragma once

namespace zarn {

class FileSystem;
class HttpRequestFactory;
class XmlDocumentFactory;
class Texts;
class UserInterface;

// The platform seams that the core works through, handed down from the entry point that owns
// them (the COM module, the command-line tool, a test).
struct Services {
    FileSystem& files;
    HttpRequestFactory& http;
    XmlDocumentFactory& xml;
    Texts& texts;
    UserInterface& ui;
};

}  // namespace zarn
