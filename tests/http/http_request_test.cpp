// HttpRequest against the local test servers of servers.js, through the
// system's WinHTTP (Wine's under test). /echo answers with the exact bytes
// it received, so the tests see what went over the wire.
#include <windows.h>

#include <psapi.h>  // after windows.h, which it needs

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "codepage.h"
#include "http_request.h"
#include "test_servers.h"

namespace orvanta {
namespace {

using test::ClosedUrl;
using test::HttpsUrl;
using test::HttpUrl;
using test::Ports;
using test::SilentUrl;

// The lines of a raw request's head: the request line first, then the
// header lines in the order they were sent.
std::vector<std::string> HeadLines(const std::string& raw) {
  std::vector<std::string> lines;
  const std::string head = raw.substr(0, raw.find("\r\n\r\n"));
  std::size_t at = 0;
  while (at <= head.size()) {
    const std::size_t end = std::min(head.find("\r\n", at), head.size());
    lines.push_back(head.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

std::string Body(const std::string& raw) {
  const std::size_t headEnd = raw.find("\r\n\r\n");
  return headEnd == std::string::npos ? std::string() : raw.substr(headEnd + 4);
}

bool HasLine(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

bool HasHeaderNamed(const std::vector<std::string>& lines, std::string name) {
  std::transform(name.begin(), name.end(), name.begin(), ::tolower);
  return std::any_of(lines.begin() + 1, lines.end(), [&](std::string line) {
    std::transform(line.begin(), line.end(), line.begin(), ::tolower);
    return line.rfind(name + ":", 0) == 0;
  });
}

// The header lines the caller controls: those WinHTTP adds for the
// connection itself (Host, Connection, Content-Length) left out.
std::vector<std::string> CallerHeaderLines(const std::vector<std::string>& lines) {
  std::vector<std::string> callers;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.rfind("Host: ", 0) == 0 || line.rfind("Connection: ", 0) == 0 || line.rfind("Content-Length: ", 0) == 0) {
      continue;
    }
    callers.push_back(line);
  }
  return callers;
}

const std::string kDefaultUserAgent =
    "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)";

TEST(HttpRequestWire, ABareGetSendsExactlyTheFiveDefaultLines) {
  for (const std::string& url : {HttpUrl("/echo"), HttpsUrl("/echo")}) {
    SCOPED_TRACE(url);
    HttpResponse response;
    HttpRequest(url, {}, &response);
    ASSERT_EQ(response.status, "200 OK");
    const std::vector<std::string> lines = HeadLines(response.bodyBytes);
    EXPECT_EQ(lines.front(), "GET /echo HTTP/1.1");
    EXPECT_EQ(CallerHeaderLines(lines), (std::vector<std::string>{
                                            kDefaultUserAgent,
                                            "Accept: text/html, application/xhtml+xml, */*",
                                            "Accept-Encoding: identity",
                                            "Accept-Language: zh-cn",
                                            "Cache-Control: no-cache",
                                        }));
    EXPECT_FALSE(HasHeaderNamed(lines, "Cookie"));
    EXPECT_EQ(Body(response.bodyBytes), "");
  }
}

TEST(HttpRequestWire, WhatTheRequestCarries) {
  const std::string zhongwen = Gbk(u8"中文");
  const std::string port = std::to_string(Ports().http);
  const struct {
    const char* name;
    std::string url;
    HttpRequestOptions options;
    std::string requestLine;
    std::vector<std::string> present;
    std::vector<std::string> absent;  // header names
    std::string body;
  } cases[] = {
      {"a POST gets the form content type",
       HttpUrl("/echo"),
       {.method = HttpMethod::kPost, .bodyText = "a=1&b=2"},
       "POST /echo HTTP/1.1",
       {"Content-Type: application/x-www-form-urlencoded", "Content-Length: 7"},
       {},
       "a=1&b=2"},
      {"a POST keeps its own content type",
       HttpUrl("/echo"),
       {.method = HttpMethod::kPost, .bodyText = "{}", .extraHeaders = "content-type: application/json"},
       "POST /echo HTTP/1.1",
       {"Content-Type: application/json"},
       {},
       "{}"},
      {"extra headers that carry an agent keep it",
       HttpUrl("/echo"),
       {.extraHeaders = "user-agent: Probe/1.0\r\nx-token: abc"},
       "GET /echo HTTP/1.1",
       {"User-Agent: Probe/1.0", "X-Token: abc", "Accept-Language: zh-cn"},
       {},
       ""},
      {"a URL without a path asks for /", "http://127.0.0.1:" + port, {}, "GET / HTTP/1.1", {}, {}, ""},
      {"a URL with a query keeps it", HttpUrl("/echo?q=1&r=%E4"), {}, "GET /echo?q=1&r=%E4 HTTP/1.1", {}, {}, ""},
      {"cookies are sent",
       HttpUrl("/echo"),
       {.requestCookies = "a=1; c=3"},
       "GET /echo HTTP/1.1",
       {"Cookie: a=1; c=3"},
       {},
       ""},
      {"a body text goes as its GBK bytes",
       HttpUrl("/echo"),
       {.method = HttpMethod::kPut, .bodyText = zhongwen},
       "PUT /echo HTTP/1.1",
       {"Content-Length: 4"},
       {"Content-Type"},
       zhongwen},
      {"body bytes replace the body text",
       HttpUrl("/echo"),
       {.method = HttpMethod::kPost, .bodyText = "unused", .bodyBytes = std::string("\0\1\2", 3)},
       "POST /echo HTTP/1.1",
       {"Content-Length: 3"},
       {},
       std::string("\0\1\2", 3)},
      {"Basic credentials",
       HttpUrl("/echo"),
       {.userName = "user", .password = "pa55"},
       "GET /echo HTTP/1.1",
       {"Authorization: Basic dXNlcjpwYTU1"},
       {},
       ""},
      {"credentials need both parts",
       HttpUrl("/echo"),
       {.userName = "user"},
       "GET /echo HTTP/1.1",
       {},
       {"Authorization"},
       ""},
      {"without completion only the caller's headers",
       HttpUrl("/echo"),
       {.extraHeaders = "x-only: 1", .completeHeaders = false},
       "GET /echo HTTP/1.1",
       {"X-Only: 1"},
       {"User-Agent", "Accept", "Accept-Language", "Cache-Control"},
       ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HttpResponse response;
    HttpRequest(c.url, c.options, &response);
    EXPECT_EQ(response.status, "200 OK");
    const std::vector<std::string> lines = HeadLines(response.bodyBytes);
    EXPECT_EQ(lines.front(), c.requestLine);
    for (const std::string& line : c.present) EXPECT_TRUE(HasLine(lines, line)) << line;
    for (const std::string& name : c.absent) EXPECT_FALSE(HasHeaderNamed(lines, name)) << name;
    EXPECT_EQ(Body(response.bodyBytes), c.body);
  }
}

TEST(HttpRequestWire, OnlyTheCallersAgentIsSent) {
  HttpResponse response;
  HttpRequest(HttpUrl("/echo"), {.extraHeaders = "USER-AGENT: Probe/1.0"}, &response);
  const std::vector<std::string> lines = HeadLines(response.bodyBytes);
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& line) {
                            return line.rfind("User-Agent: ", 0) == 0 || line.rfind("USER-AGENT: ", 0) == 0;
                          }),
            1);
  EXPECT_FALSE(HasLine(lines, kDefaultUserAgent));
}

TEST(HttpRequestResponse, StatusCookiesRedirectsAndCharsets) {
  const std::string zhongwen = Gbk(u8"中文");
  const struct {
    const char* name;
    std::string url;
    HttpRequestOptions options;
    std::string status;
    std::string result;  // checked when not empty
    std::string cookies;
    std::string location;
  } cases[] = {
      {"Set-Cookie lines become the response cookies",
       HttpUrl("/cookies"),
       {},
       "200 OK",
       "cookies set",
       "a=1; b=2",
       ""},
      {"merged with the sent cookies",
       HttpUrl("/cookies-deleted"),
       {.requestCookies = "a=1; c=3"},
       "200 OK",
       "cookies set",
       "b=2; c=3",
       ""},
      {"not merged when asked not to",
       HttpUrl("/cookies-deleted"),
       {.requestCookies = "a=1; c=3", .mergeCookies = false},
       "200 OK",
       "cookies set",
       "a=deleted; b=2",
       ""},
      {"a redirect not followed returns its target",
       HttpUrl("/redirect"),
       {.noRedirect = true},
       "302 Found",
       "moved",
       "",
       "/echo/redirected"},
      {"Basic credentials accepted",
       HttpUrl("/auth"),
       {.userName = "user", .password = "pa55"},
       "200 OK",
       "welcome",
       "",
       ""},
      {"refused without credentials: the 401 page comes back",
       HttpUrl("/auth"),
       {},
       "401 Unauthorized",
       "denied",
       "",
       ""},
      {"a 404 page comes back with its status", HttpUrl("/status/404"), {}, "404 Not Found", "no such page", "", ""},
      {"a page declared utf-8 comes back as GBK",
       HttpUrl("/utf8"),
       {},
       "200 OK",
       "<html><head><meta charset=\"utf-8\"><title>t</title></head><body>" + zhongwen + "</body></html>",
       "",
       ""},
      {"a page without a meta charset is taken as GBK",
       HttpUrl("/gbk"),
       {},
       "200 OK",
       "<html><body>" + zhongwen + "</body></html>",
       "",
       ""},
      {"HTTPS with a self-signed certificate",
       HttpsUrl("/utf8"),
       {},
       "200 OK",
       "<html><head><meta charset=\"utf-8\"><title>t</title></head><body>" + zhongwen + "</body></html>",
       "",
       ""},
      {"HTTPS with cookies",
       HttpsUrl("/cookies"),
       {.requestCookies = "c=3"},
       "200 OK",
       "cookies set",
       "a=1; b=2; c=3",
       ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HttpResponse response;
    const std::string result = HttpRequest(c.url, c.options, &response);
    EXPECT_EQ(response.status, c.status);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(response.cookies, c.cookies);
    EXPECT_EQ(response.location, c.location);
    EXPECT_EQ(response.headers.rfind("HTTP/1.1 " + c.status + "\r\n", 0), 0u) << response.headers;
  }
}

TEST(HttpRequestResponse, ARedirectIsFollowedByDefault) {
  HttpResponse response;
  HttpRequest(HttpUrl("/redirect"), {}, &response);
  EXPECT_EQ(response.status, "200 OK");
  EXPECT_EQ(HeadLines(response.bodyBytes).front(), "GET /echo/redirected HTTP/1.1");
  EXPECT_EQ(response.location, "");
}

TEST(HttpRequestFailure, FailedStepsGiveNoTextAndTheirStatus) {
  const struct {
    const char* name;
    std::string url;
    HttpRequestOptions options;
    std::string status;
  } cases[] = {
      {"an unreachable port", ClosedUrl(), {}, Gbk(u8"711 发送请求失败!")},
      {"not a URL", "not a url", {}, Gbk(u8"701 解析URL地址失败!")},
      {"a scheme other than http and https", "ftp://127.0.0.1/x", {}, Gbk(u8"701 解析URL地址失败!")},
      {"an empty URL", "", {}, Gbk(u8"701 解析URL地址失败!")},
      {"a method outside the table",
       HttpUrl("/echo"),
       {.method = static_cast<HttpMethod>(9)},
       Gbk(u8"704 创建WinHttp请求失败!")},
      {"a body cut off by the server", HttpUrl("/truncated"), {}, Gbk(u8"713 读取数据失败!")},
      {"a body one byte over the limit",
       HttpUrl("/size/" + std::to_string(kMaxResponseBodyBytes + 1)),
       {},
       Gbk(u8"713 读取数据失败!")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HttpResponse response;
    response.headers = "stale";
    EXPECT_EQ(HttpRequest(c.url, c.options, &response), "");
    EXPECT_EQ(response.status, c.status);
    EXPECT_EQ(response.headers, "");
    EXPECT_EQ(response.bodyBytes, "");
  }
}

TEST(HttpRequestFailure, ABodyOfExactlyTheLimitIsRead) {
  HttpResponse response;
  const std::string result = HttpRequest(HttpUrl("/size/" + std::to_string(kMaxResponseBodyBytes)), {}, &response);
  EXPECT_EQ(response.status, "200 OK");
  EXPECT_EQ(result.size(), kMaxResponseBodyBytes);
  EXPECT_EQ(result.find_first_not_of('x'), std::string::npos);
}

TEST(HttpRequestFailure, AServerThatNeverAnswersTimesOut) {
  HttpResponse response;
  const auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(HttpRequest(SilentUrl(), {.timeoutSeconds = 1}, &response), "");
  const auto waited = std::chrono::steady_clock::now() - started;
  EXPECT_EQ(response.status, Gbk(u8"712 服务器未响应!"));
  // Not a speed check: it tells the 1-second time-out from the 30-second
  // default, with a wide margin.
  EXPECT_LT(waited, std::chrono::seconds(15));
}

TEST(HttpRequestFailure, AnEndlessBodyStopsAtTheLimitAndMemoryStaysBounded) {
  HttpResponse response;
  EXPECT_EQ(HttpRequest(HttpUrl("/endless"), {}, &response), "");
  EXPECT_EQ(response.status, Gbk(u8"713 读取数据失败!"));
  PROCESS_MEMORY_COUNTERS counters{};
  ASSERT_TRUE(GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters));
  // The server offers 64 MiB; reading it all would commit well over that.
  EXPECT_LT(counters.PeakPagefileUsage, 64u * 1024 * 1024);
}

}  // namespace
}  // namespace orvanta
