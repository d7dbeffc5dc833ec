#include "http_request_plan.h"

#include <limits>

#include "http_headers.h"

namespace orvanta {
namespace {

constexpr std::string_view kMethodNames[] = {"GET", "POST", "HEAD", "PUT", "OPTIONS", "DELETE", "TRACE", "CONNECT"};
constexpr int kDefaultTimeoutMilliseconds = 30'000;

std::string MethodName(HttpMethod method) {
  const auto index = static_cast<std::size_t>(method);
  return index < std::size(kMethodNames) ? std::string(kMethodNames[index]) : std::string();
}

int TimeoutMilliseconds(int seconds) {
  if (seconds <= 0) return kDefaultTimeoutMilliseconds;
  // WinHTTP takes an int of milliseconds: a huge time-out waits as long as it can.
  constexpr int kLongest = std::numeric_limits<int>::max() / 1000;
  return seconds > kLongest ? std::numeric_limits<int>::max() : seconds * 1000;
}

}  // namespace

RequestPlan PlanRequest(const HttpRequestOptions& options) {
  RequestPlan plan;
  plan.method = MethodName(options.method);
  plan.headers = BuildRequestHeaders({.extraHeaders = options.extraHeaders,
                                      .cookies = options.requestCookies,
                                      .isPost = options.method == HttpMethod::kPost,
                                      .completeHeaders = options.completeHeaders,
                                      .normaliseHeaderNames = options.normaliseHeaderNames});
  plan.body = options.bodyBytes.empty() ? options.bodyText : options.bodyBytes;
  plan.timeoutMilliseconds = TimeoutMilliseconds(options.timeoutSeconds);
  return plan;
}

std::string ProxyList(std::string_view proxy, bool https) {
  return https ? std::string(proxy) : "http=" + std::string(proxy);
}

std::wstring ObjectName(std::wstring_view path, std::wstring_view extraInfo) {
  // A URL such as "http://host?q=1" has a query but no path: the query stays.
  std::wstring object(path.empty() ? std::wstring_view(L"/") : path);
  object += extraInfo;
  return object;
}

}  // namespace orvanta
