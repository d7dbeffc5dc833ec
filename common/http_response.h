// What a request makes of a response once WinHTTP has delivered it.
#pragma once

#include <string>
#include <string_view>

#include "http_request.h"

namespace orvanta {

// Fills `response` from the raw header block (GBK) and the body bytes: the
// status text, the cookies set (merged with `requestCookies` when asked), the
// redirect target. Returns the body as GBK text.
std::string CompleteResponse(std::string rawHeaders, std::string bodyBytes, std::string_view requestCookies,
                             bool mergeCookies, HttpResponse& response);

// Whether the body ended before the Content-Length its headers announce, that
// is the connection broke off in the middle of it. A HEAD request, a status
// without a body (1xx, 204, 304) and a chunked body announce no length.
bool BodyCutShort(std::string_view rawHeaders, std::size_t received, bool headRequest);

}  // namespace orvanta
