// HttpRequest on WinHTTP in synchronous mode. The decisions (headers,
// cookies, status text, charset) are made by the portable modules; this file
// only carries the WinHTTP steps out, on a worker thread.
#include <windows.h>
#include <winhttp.h>

#include <new>
#include <optional>

#include "codepage.h"
#include "http_failure.h"
#include "http_request.h"
#include "http_request_plan.h"
#include "http_response.h"
#include "win/pumped_call.h"
#include "win/unique_handle.h"

namespace orvanta {
namespace {

void CloseInternet(HINTERNET handle) { WinHttpCloseHandle(handle); }
using UniqueInternet = UniqueHandle<HINTERNET, CloseInternet>;

// Every HTTPS certificate is accepted: operators run their own sites, often
// with self-signed certificates.
constexpr DWORD kAcceptAnyCertificate = SECURITY_FLAG_IGNORE_UNKNOWN_CA | SECURITY_FLAG_IGNORE_CERT_WRONG_USAGE |
                                        SECURITY_FLAG_IGNORE_CERT_CN_INVALID | SECURITY_FLAG_IGNORE_CERT_DATE_INVALID;

// What the worker thread reads and writes. It is filled with copies before the
// worker starts, so that message handlers running meanwhile on the calling
// thread cannot change what the worker sees.
struct Exchange {
  std::wstring url;
  std::wstring method;
  std::wstring headers;
  std::string body;
  int timeoutMilliseconds = 0;
  bool noRedirect = false;
  bool disableCookies = true;
  std::string proxy;
  std::wstring userName, password, proxyUserName, proxyPassword;

  std::optional<HttpFailure> failure;
  std::string rawHeaders;  // GBK
  std::string responseBody;
};

Exchange PrepareExchange(std::string_view url, const HttpRequestOptions& options) {
  RequestPlan plan = PlanRequest(options);
  Exchange exchange;
  exchange.url = ToWide(url);
  exchange.method = ToWide(plan.method);
  exchange.headers = ToWide(plan.headers);
  exchange.body = std::move(plan.body);
  exchange.timeoutMilliseconds = plan.timeoutMilliseconds;
  exchange.noRedirect = options.noRedirect;
  exchange.disableCookies = options.requestCookies.empty();
  exchange.proxy = options.proxy;
  exchange.userName = ToWide(options.userName);
  exchange.password = ToWide(options.password);
  exchange.proxyUserName = ToWide(options.proxyUserName);
  exchange.proxyPassword = ToWide(options.proxyPassword);
  return exchange;
}

bool SetDwordOption(HINTERNET handle, DWORD option, DWORD value) {
  return WinHttpSetOption(handle, option, &value, sizeof value) != FALSE;
}

std::wstring RawHeaders(HINTERNET request) {
  DWORD bytes = 0;
  WinHttpQueryHeaders(request, WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX, WINHTTP_NO_OUTPUT_BUFFER,
                      &bytes, WINHTTP_NO_HEADER_INDEX);
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || bytes == 0) return {};
  std::wstring headers(bytes / sizeof(wchar_t), L'\0');
  if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX, headers.data(),
                           &bytes, WINHTTP_NO_HEADER_INDEX)) {
    return {};
  }
  headers.resize(bytes / sizeof(wchar_t));  // without the terminating zero
  return headers;
}

// Reads the whole body. A failed read, and a body over the limit, fail the
// request: a cut-off body must not pass for the page.
std::optional<HttpFailure> ReadBody(HINTERNET request, std::string& body) {
  for (;;) {
    DWORD available = 0;
    if (!WinHttpQueryDataAvailable(request, &available)) return HttpFailure::kRead;
    if (available == 0) return std::nullopt;
    if (available > kMaxResponseBodyBytes - body.size()) return HttpFailure::kRead;
    const std::size_t at = body.size();
    body.resize(at + available);
    DWORD read = 0;
    if (!WinHttpReadData(request, body.data() + at, available, &read)) return HttpFailure::kRead;
    body.resize(at + read);
    if (read == 0) return std::nullopt;
  }
}

struct UrlParts {
  bool https = false;
  std::wstring host;
  INTERNET_PORT port = 0;
  std::wstring object;  // path and query
};

std::optional<UrlParts> CrackUrl(const std::wstring& url) {
  URL_COMPONENTS parts{};
  parts.dwStructSize = sizeof parts;
  parts.dwSchemeLength = parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength =
      static_cast<DWORD>(-1);
  if (url.empty() || !WinHttpCrackUrl(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts)) return std::nullopt;
  return UrlParts{.https = parts.nScheme == INTERNET_SCHEME_HTTPS,
                  .host = std::wstring(parts.lpszHostName, parts.dwHostNameLength),
                  .port = parts.nPort,
                  .object = ObjectName(std::wstring_view(parts.lpszUrlPath, parts.dwUrlPathLength),
                                       std::wstring_view(parts.lpszExtraInfo, parts.dwExtraInfoLength))};
}

// A session with no user agent of its own (the header block carries it).
UniqueInternet OpenSession(const std::string& proxy, bool https) {
  if (proxy.empty()) {
    return UniqueInternet(
        WinHttpOpen(nullptr, WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
  }
  const std::wstring proxyList = ToWide(ProxyList(proxy, https));
  return UniqueInternet(
      WinHttpOpen(nullptr, WINHTTP_ACCESS_TYPE_NAMED_PROXY, proxyList.c_str(), WINHTTP_NO_PROXY_BYPASS, 0));
}

// Credentials, certificate checks, cookie and redirect options, headers: the
// settings an opened request gets before it is sent.
std::optional<HttpFailure> ConfigureRequest(HINTERNET request, const Exchange& exchange, bool https) {
  // The receive time-out covers the wait for the response headers too; some
  // WinHTTP implementations wait for them under this option alone.
  if (!SetDwordOption(request, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT,
                      static_cast<DWORD>(exchange.timeoutMilliseconds))) {
    return HttpFailure::kTimeouts;
  }

  if (!exchange.userName.empty() && !exchange.password.empty() &&
      !WinHttpSetCredentials(request, WINHTTP_AUTH_TARGET_SERVER, WINHTTP_AUTH_SCHEME_BASIC, exchange.userName.c_str(),
                             exchange.password.c_str(), nullptr)) {
    return HttpFailure::kCredentials;
  }
  if (!exchange.proxyUserName.empty() && !exchange.proxyPassword.empty() &&
      !WinHttpSetCredentials(request, WINHTTP_AUTH_TARGET_PROXY, WINHTTP_AUTH_SCHEME_BASIC,
                             exchange.proxyUserName.c_str(), exchange.proxyPassword.c_str(), nullptr)) {
    return HttpFailure::kCredentials;
  }

  // The certificate checks concern HTTPS only.
  if (https && !SetDwordOption(request, WINHTTP_OPTION_SECURITY_FLAGS, kAcceptAnyCertificate)) {
    return HttpFailure::kCertificateFlags;
  }

  // Without cookies of its own the request keeps WinHTTP's cookie handling
  // off; with them, WinHTTP's features stay on and revocation checking is
  // enabled as well.
  const bool cookieOptionSet =
      exchange.disableCookies ? SetDwordOption(request, WINHTTP_OPTION_DISABLE_FEATURE, WINHTTP_DISABLE_COOKIES)
                              : SetDwordOption(request, WINHTTP_OPTION_ENABLE_FEATURE, WINHTTP_ENABLE_SSL_REVOCATION);
  if (!cookieOptionSet) return HttpFailure::kCookieOption;
  if (exchange.noRedirect && !SetDwordOption(request, WINHTTP_OPTION_DISABLE_FEATURE, WINHTTP_DISABLE_REDIRECTS)) {
    return HttpFailure::kRedirectOption;
  }

  if (!exchange.headers.empty() &&
      !WinHttpAddRequestHeaders(request, exchange.headers.c_str(), static_cast<DWORD>(exchange.headers.size()),
                                WINHTTP_ADDREQ_FLAG_ADD)) {
    return HttpFailure::kHeaders;
  }
  return std::nullopt;
}

// Sends the request and reads the whole response into the exchange.
std::optional<HttpFailure> SendAndReceive(HINTERNET request, Exchange& exchange) {
  const auto bodySize = static_cast<DWORD>(exchange.body.size());
  void* body = exchange.body.empty() ? WINHTTP_NO_REQUEST_DATA : exchange.body.data();
  if (!WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, body, bodySize, bodySize, 0)) {
    return HttpFailure::kSend;
  }
  if (!WinHttpReceiveResponse(request, nullptr)) return HttpFailure::kNoResponse;

  if (const auto failure = ReadBody(request, exchange.responseBody)) return failure;
  exchange.rawHeaders = FromWide(RawHeaders(request));
  if (BodyCutShort(exchange.rawHeaders, exchange.responseBody.size(), exchange.method == L"HEAD")) {
    return HttpFailure::kRead;
  }
  return std::nullopt;
}

// The request, step by step; the first step that fails ends it, and the
// handles opened so far close on the way out.
std::optional<HttpFailure> Transfer(Exchange& exchange) {
  if (!WinHttpCheckPlatform()) return HttpFailure::kNotSupported;
  const std::optional<UrlParts> url = CrackUrl(exchange.url);
  if (!url) return HttpFailure::kBadUrl;

  const UniqueInternet session = OpenSession(exchange.proxy, url->https);
  if (!session) return HttpFailure::kSession;
  const int timeout = exchange.timeoutMilliseconds;
  if (!WinHttpSetTimeouts(session.get(), timeout, timeout, timeout, timeout)) return HttpFailure::kTimeouts;

  const UniqueInternet connection(WinHttpConnect(session.get(), url->host.c_str(), url->port, 0));
  if (!connection) return HttpFailure::kConnection;
  if (exchange.method.empty()) return HttpFailure::kRequest;
  const UniqueInternet request(WinHttpOpenRequest(connection.get(), exchange.method.c_str(), url->object.c_str(),
                                                  nullptr, WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                                  url->https ? WINHTTP_FLAG_SECURE : 0));
  if (!request) return HttpFailure::kRequest;

  if (const auto failure = ConfigureRequest(request.get(), exchange, url->https)) return failure;
  return SendAndReceive(request.get(), exchange);
}

std::string Fail(HttpFailure failure, HttpResponse& response) {
  response = {};
  response.status = HttpFailureText(failure);
  return {};
}

}  // namespace

std::string HttpRequest(std::string_view url, const HttpRequestOptions& options, HttpResponse* response) {
  HttpResponse ignored;
  HttpResponse& out = response != nullptr ? *response : ignored;
  try {
    Exchange exchange = PrepareExchange(url, options);
    const std::string requestCookies = options.requestCookies;  // handlers may change `options` meanwhile
    const bool mergeCookies = options.mergeCookies;
    RunPumpingMessages([&exchange] {
      try {
        exchange.failure = Transfer(exchange);
      } catch (const std::bad_alloc&) {
        // Only the body is large enough to run out of memory.
        exchange.failure = HttpFailure::kRead;
      }
    });
    if (exchange.failure) return Fail(*exchange.failure, out);
    return CompleteResponse(std::move(exchange.rawHeaders), std::move(exchange.responseBody), requestCookies,
                            mergeCookies, out);
  } catch (const std::bad_alloc&) {
    return Fail(HttpFailure::kRead, out);
  }
}

}  // namespace orvanta
