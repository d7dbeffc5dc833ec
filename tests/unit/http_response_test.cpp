#include "http_response.h"

#include <gtest/gtest.h>

#include <limits>

#include "codepage.h"
#include "http_request_plan.h"

namespace orvanta {
namespace {

TEST(CompleteResponse, CookiesAreMergedWithTheSentOnesWhenAsked) {
  const std::string raw =
      "HTTP/1.1 200 OK\r\nSet-Cookie: a=deleted; expires=Thu, 01 Jan 1970 00:00:00 GMT\r\nSet-Cookie: b=2\r\n\r\n";
  const struct {
    const char* name;
    std::string sent;
    bool merge;
    std::string cookies;
  } cases[] = {
      {"merged", "a=1; c=3", true, "b=2; c=3"},
      {"not merged: the response's own cookies", "a=1; c=3", false, "a=deleted; b=2"},
      {"nothing sent: nothing to merge with", "", true, "a=deleted; b=2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HttpResponse response;
    CompleteResponse(raw, "", c.sent, c.merge, response);
    EXPECT_EQ(response.cookies, c.cookies);
  }
}

TEST(CompleteResponse, FillsEveryFieldAndReturnsTheBodyText) {
  const std::string raw = "HTTP/1.1 302 Found\r\nLocation: /next\r\nContent-Length: 9\r\n\r\n";
  const std::string body("moved\0xyz", 9);
  HttpResponse response;
  response.cookies = "stale=1";  // every field is overwritten
  EXPECT_EQ(CompleteResponse(raw, body, "", true, response), "moved");
  EXPECT_EQ(response.headers, raw);
  EXPECT_EQ(response.status, "302 Found");
  EXPECT_EQ(response.location, "/next");
  EXPECT_EQ(response.cookies, "");
  EXPECT_EQ(response.bodyBytes, body);  // all of it, zero byte included
}

TEST(CompleteResponse, ABodyDeclaredUtf8ComesBackAsGbk) {
  HttpResponse response;
  const std::string body = "<head><meta charset=\"utf-8\"></head>\xE4\xB8\xAD\xE6\x96\x87";
  EXPECT_EQ(CompleteResponse("HTTP/1.1 200 OK\r\n\r\n", body, "", true, response),
            "<head><meta charset=\"utf-8\"></head>" + Gbk(u8"中文"));
  EXPECT_EQ(response.bodyBytes, body);  // the bytes stay as received
}

TEST(BodyCutShort, ABodyShorterThanItsAnnouncedLength) {
  const struct {
    const char* name;
    std::string headers;
    std::size_t received;
    bool head;
    bool cutShort;
  } cases[] = {
      {"shorter", "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n", 10, false, true},
      {"whole", "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n", 1000, false, false},
      {"an error page is cut short too", "HTTP/1.1 500 Oops\r\nContent-Length: 9\r\n\r\n", 0, false, true},
      {"any letter case, no space", "HTTP/1.1 200 OK\r\ncontent-length:5\r\n\r\n", 3, false, true},
      {"a length beyond 32 bits", "HTTP/1.1 200 OK\r\nContent-Length: 99999999999\r\n\r\n", 5, false, true},
      {"no length announced", "HTTP/1.1 200 OK\r\n\r\n", 0, false, false},
      {"a length that is no number", "HTTP/1.1 200 OK\r\nContent-Length: 12a\r\n\r\n", 0, false, false},
      {"a HEAD request gets no body", "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n", 0, true, false},
      {"304 carries no body", "HTTP/1.1 304 Not Modified\r\nContent-Length: 1000\r\n\r\n", 0, false, false},
      {"204 carries no body", "HTTP/1.1 204 No Content\r\nContent-Length: 7\r\n\r\n", 0, false, false},
      {"chunked: the length does not count",
       "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nContent-Length: 1000\r\n\r\n", 10, false, false},
      {"a similar name is not the length", "HTTP/1.1 200 OK\r\nX-Content-Length: 1000\r\n\r\n", 10, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(BodyCutShort(c.headers, c.received, c.head), c.cutShort);
  }
}

TEST(PlanRequest, MethodNamesByNumber) {
  const struct {
    HttpMethod method;
    const char* name;
  } cases[] = {
      {HttpMethod::kGet, "GET"},         {HttpMethod::kPost, "POST"},       {HttpMethod::kHead, "HEAD"},
      {HttpMethod::kPut, "PUT"},         {HttpMethod::kOptions, "OPTIONS"}, {HttpMethod::kDelete, "DELETE"},
      {HttpMethod::kTrace, "TRACE"},     {HttpMethod::kConnect, "CONNECT"}, {static_cast<HttpMethod>(8), ""},
      {static_cast<HttpMethod>(-1), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(PlanRequest({.method = c.method}).method, c.name);
  }
}

TEST(PlanRequest, TimeoutPerPhase) {
  const struct {
    int seconds;
    int milliseconds;
  } cases[] = {
      {0, 30'000},
      {-5, 30'000},
      {1, 1'000},
      {45, 45'000},
      {std::numeric_limits<int>::max(), std::numeric_limits<int>::max()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.seconds);
    EXPECT_EQ(PlanRequest({.timeoutSeconds = c.seconds}).timeoutMilliseconds, c.milliseconds);
  }
}

TEST(PlanRequest, BodyBytesReplaceTheBodyText) {
  EXPECT_EQ(PlanRequest({.bodyText = "a=1"}).body, "a=1");
  EXPECT_EQ(PlanRequest({.bodyText = "a=1", .bodyBytes = std::string("\0\1", 2)}).body, std::string("\0\1", 2));
  // Only a POST gets the form content type.
  EXPECT_NE(PlanRequest({.method = HttpMethod::kPost}).headers.find("Content-Type: application/x-www-form-urlencoded"),
            std::string::npos);
  EXPECT_EQ(PlanRequest({.method = HttpMethod::kPut}).headers.find("Content-Type"), std::string::npos);
}

TEST(ProxyList, HttpUrlsNameTheSchemeHttpsOnesDoNot) {
  EXPECT_EQ(ProxyList("127.0.0.1:8080", false), "http=127.0.0.1:8080");
  EXPECT_EQ(ProxyList("127.0.0.1:8080", true), "127.0.0.1:8080");
}

TEST(ObjectName, PathAndQuery) {
  const struct {
    std::wstring path, extra, object;
  } cases[] = {
      {L"", L"", L"/"},
      {L"/a/b", L"", L"/a/b"},
      {L"/a", L"?q=1&r=2", L"/a?q=1&r=2"},
      {L"", L"?q=1", L"/?q=1"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ObjectName(c.path, c.extra), c.object);
  }
}

}  // namespace
}  // namespace orvanta
