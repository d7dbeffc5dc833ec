// What a request sends, worked out from the caller's options before any
// WinHTTP call: the transport only carries these decisions out.
#pragma once

#include <string>
#include <string_view>

#include "http_request.h"

namespace orvanta {

struct RequestPlan {
  std::string method;           // "GET" .. "CONNECT"; "" for a method outside the table
  std::string headers;          // the header block (see BuildRequestHeaders)
  std::string body;             // the bytes sent as the request body
  int timeoutMilliseconds = 0;  // for each of resolve, connect, send and receive
};

RequestPlan PlanRequest(const HttpRequestOptions& options);

// The proxy as WinHTTP's named-proxy list takes it: for an HTTP URL it serves
// the "http" scheme only; for HTTPS it is given as is.
std::string ProxyList(std::string_view proxy, bool https);

// The object a request names: the URL's path ("/" when it has none) followed
// by its extra information (the query).
std::wstring ObjectName(std::wstring_view path, std::wstring_view extraInfo);

}  // namespace orvanta
