// The steps of a request that can fail, and the status texts that report
// them to the caller. Each text but the certificate one starts with its
// three-digit number.
#pragma once

#include <string>

namespace orvanta {

enum class HttpFailure {
  kNotSupported = 700,    // WinHTTP is not available on this system
  kBadUrl = 701,          // the URL cannot be split
  kSession = 702,         // the session cannot be opened
  kConnection = 703,      // the connection cannot be created
  kRequest = 704,         // the request cannot be opened
  kTimeouts = 705,        // the time-outs cannot be set
  kCredentials = 707,     // server or proxy credentials cannot be set
  kCookieOption = 708,    // the cookie option cannot be set
  kRedirectOption = 709,  // redirects cannot be switched off
  kHeaders = 710,         // the header block is refused
  kSend = 711,            // sending fails: unreachable host, time-out, TLS failure
  kNoResponse = 712,      // no response arrives
  kRead = 713,            // the body cannot be read whole, or exceeds the size limit
  kCertificateFlags = 1,  // the certificate checks cannot be relaxed (a text without number)
};

// The status text for a failed step, in GBK.
std::string HttpFailureText(HttpFailure failure);

}  // namespace orvanta
