// HttpRequest: one synchronous HTTP or HTTPS request through WinHTTP, the
// only way both programs talk to a server.
//
// Every call opens and closes its own session, connection and request; no
// connection, cookie store or cache outlives it, and cookies persist only in
// the texts the caller passes back in. All texts are GBK.
//
// The call blocks its caller until the response is read or a step fails, but
// the caller's window messages keep flowing meanwhile: the WinHTTP calls run
// on a worker thread while the calling thread dispatches its messages, so
// windows repaint and timers tick during a long wait. A message handler may
// therefore run (and even start another request) in the middle of a request.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvanta {

enum class HttpMethod { kGet, kPost, kHead, kPut, kOptions, kDelete, kTrace, kConnect };

struct HttpRequestOptions {
  HttpMethod method = HttpMethod::kGet;
  std::string bodyText{};        // sent as its GBK bytes when `bodyBytes` is empty
  std::string requestCookies{};  // "a=1; b=2", sent in a Cookie line
  std::string extraHeaders{};    // lines separated by CR LF, placed in front of the defaults
  bool noRedirect = false;       // true: a redirect is returned, not followed
  std::string userName{};        // server credentials (Basic), used when both are given
  std::string password{};
  std::string proxy{};          // "host:port"; empty means no proxy
  std::string proxyUserName{};  // proxy credentials (Basic), used when both are given
  std::string proxyPassword{};
  int timeoutSeconds = 0;            // per phase: resolve, connect, send, receive; 0 or less is 30
  bool mergeCookies = true;          // merge the received cookies into `requestCookies`
  bool completeHeaders = true;       // add the default header lines the block lacks
  std::string bodyBytes{};           // the request body; replaces `bodyText` when not empty
  bool normaliseHeaderNames = true;  // "user-agent" -> "User-Agent"
};

// What a request hands back besides its result text. Every field is
// overwritten by each call.
struct HttpResponse {
  std::string cookies{};    // the cookies the response set, merged with the sent ones
  std::string headers{};    // the raw response header block, status line first
  std::string location{};   // the value of a "Location: " header
  std::string status{};     // "200 OK", or a failure text starting with its number
  std::string bodyBytes{};  // the response body as received
};

// A server may send at most this much body; a larger one fails the request,
// so that no server can exhaust the memory of a 32-bit process.
inline constexpr std::size_t kMaxResponseBodyBytes = 16 * 1024 * 1024;

// The response body as GBK text (converted from the charset a page declares),
// or "" when a step fails; `response->status` then holds the failure text.
// HTTP error statuses are no failure: a 404 page comes back like any other.
std::string HttpRequest(std::string_view url, const HttpRequestOptions& options = {}, HttpResponse* response = nullptr);

}  // namespace orvanta
