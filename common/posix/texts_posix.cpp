// POSIX texts: the compiled-in string table, the portable message formatter, and the system's
// own texts for the codes that the POSIX transport and host produce.

#include <iterator>

#include "common/message_format.h"
#include "common/texts.h"
#include "resources/string_table.h"

namespace zarn {
namespace {

struct ErrorText {
    HResult code;
    const char16_t* text;
};

constexpr ErrorText kErrorTexts[] = {
    {kFail, u"Unspecified error"},
    {kNotImplemented, u"Not implemented"},
    {kPointer, u"Invalid pointer"},
    {kOutOfMemory, u"Not enough memory resources are available to complete this operation."},
    {kInvalidArg, u"The parameter is incorrect."},
    {kBadIndex, u"Invalid index."},
    {kReadFault, u"The system cannot read from the specified device."},
    {kUnexpected, u"Catastrophic failure"},
    {kInternetTimeout, u"The operation timed out"},
    {kInternetInvalidUrl, u"The URL is invalid"},
    {kInternetUnrecognizedScheme, u"The URL does not use a recognized protocol"},
    {kInternetConnectionAborted, u"The connection with the server was terminated abnormally"},
    {kInternetConnectionReset, u"The connection with the server was reset"},
    {kInternetInvalidCa, u"The certificate authority is invalid or incorrect"},
    {kInternetSecurityError, u"A security error occurred"},
    {kInternetRedirectFailed,
     u"The redirection failed because either the scheme changed or all attempts made to redirect "
     u"failed"},
    {kInternetInvalidServerResponse, u"The server response could not be parsed"},
    {kInternetCertDateInvalid, u"The date in the certificate is invalid or has expired"},
    {kInternetCertNameInvalid, u"The host name in the certificate is invalid or does not match"},
    {kReplyTooLarge, u"The reply from the server is too large"},
};

class PosixTexts final : public Texts {
  public:
    std::optional<std::u16string> StringResource(std::uint32_t id) override {
        return BuiltInString(id);
    }

    std::u16string FormatMessageText(const std::u16string& messageTemplate,
                                     const std::vector<std::u16string>& inserts) override {
        return FormatMessageTemplate(messageTemplate, inserts);
    }

    std::optional<std::u16string> SystemErrorText(HResult code) override {
        for (const ErrorText& entry : kErrorTexts) {
            if (entry.code == code)
                return std::u16string(entry.text) + u"\r\n";
        }
        return std::nullopt;
    }

    std::optional<std::vector<std::uint16_t>> ModuleProductVersion() override {
        return std::vector<std::uint16_t>{ZARN_VERSION_MAJOR, ZARN_VERSION_MINOR,
                                          ZARN_VERSION_PATCH, 0};
    }
};

}  // namespace

Texts& PlatformTexts() {
    static PosixTexts texts;
    return texts;
}

}  // namespace zarn
