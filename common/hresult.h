#pragma once

#include <cstdint>

namespace zarn {

// Result of a host or platform operation, with the meaning of a COM HRESULT: negative means
// failure. Kept as a plain integer so that the core never needs a platform header.
using HResult = std::int32_t;

constexpr HResult MakeHResult(std::uint32_t bits) {
    return static_cast<HResult>(bits);
}

inline constexpr HResult kOk = 0;
inline constexpr HResult kFalse = 1;
inline constexpr HResult kFail = MakeHResult(0x80004005u);
inline constexpr HResult kNotImplemented = MakeHResult(0x80004001u);
inline constexpr HResult kPointer = MakeHResult(0x80004003u);
inline constexpr HResult kOutOfMemory = MakeHResult(0x8007000Eu);
inline constexpr HResult kInvalidArg = MakeHResult(0x80070057u);
inline constexpr HResult kBadIndex = MakeHResult(0x8002000Bu);    // DISP_E_BADINDEX
inline constexpr HResult kReadFault = MakeHResult(0x8007001Eu);   // ERROR_READ_FAULT
inline constexpr HResult kUnexpected = MakeHResult(0x8000FFFFu);  // E_UNEXPECTED

// Codes of the platform's request object for transport failures.
inline constexpr HResult kResourceNotFound = MakeHResult(0x800C0005u);  // INET_E_RESOURCE_NOT_FOUND
inline constexpr HResult kInternetTimeout = MakeHResult(0x80072EE2u);
inline constexpr HResult kInternetInvalidUrl = MakeHResult(0x80072EE5u);
inline constexpr HResult kInternetUnrecognizedScheme = MakeHResult(0x80072EE6u);
inline constexpr HResult kInternetConnectionAborted = MakeHResult(0x80072EFEu);
inline constexpr HResult kInternetConnectionReset = MakeHResult(0x80072EFFu);
inline constexpr HResult kInternetInvalidCa = MakeHResult(0x80072F0Du);
inline constexpr HResult kInternetSecurityError = MakeHResult(0x80072F8Fu);
inline constexpr HResult kInternetRedirectFailed = MakeHResult(0x80072F7Cu);
inline constexpr HResult kInternetInvalidServerResponse = MakeHResult(0x80072F78u);
inline constexpr HResult kInternetCertDateInvalid = MakeHResult(0x80072F05u);
inline constexpr HResult kInternetCertNameInvalid = MakeHResult(0x80072F06u);
// The POSIX transport's own: a reply body beyond its size limit (ERROR_FILE_TOO_LARGE).
inline constexpr HResult kReplyTooLarge = MakeHResult(0x800700DFu);

constexpr bool Succeeded(HResult hr) {
    return hr >= 0;
}
constexpr bool Failed(HResult hr) {
    return hr < 0;
}

}  // namespace zarn
