#include "http_headers.h"

#include <gtest/gtest.h>

#include "codepage.h"

namespace orvanta {
namespace {

const std::string kZhong = "\xD6\xD0";  // 中

// The five lines a GET carries when the caller gives no headers, on the wire
// in this order.
const std::string kUserAgentLine = "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)";
const std::string kDefaultGetBlock = kUserAgentLine +
                                     "\r\nAccept: text/html, application/xhtml+xml, */*"
                                     "\r\nAccept-Encoding: identity"
                                     "\r\nAccept-Language: zh-cn"
                                     "\r\nCache-Control: no-cache";

TEST(TextBetween, FindsTheTextBetweenMarkers) {
  const struct {
    const char* name;
    std::string text, left, right;
    long long start;
    bool ignoreCase;
    std::string expected;
  } cases[] = {
      {"simple", "a[x]b", "[", "]", 1, false, "x"},
      {"first left marker from the start", "[a][b]", "[", "]", 1, false, "a"},
      {"start skips earlier markers", "[a][b]", "[", "]", 2, false, "b"},
      {"start below 1 counts as 1", "[a]", "[", "]", -5, false, "a"},
      {"start behind the end", "[a]", "[", "]", 9, false, ""},
      {"right marker only in front of the left one", "]x[", "[", "]", 1, false, ""},
      {"left marker missing", "a]b", "[", "]", 1, false, ""},
      {"right marker missing", "a[b", "[", "]", 1, false, ""},
      {"empty markers find nothing", "a[b]", "", "]", 1, false, ""},
      {"nothing between", "[]", "[", "]", 1, false, ""},
      {"multi-byte markers", "<b>bold</b>", "<b>", "</b>", 1, false, "bold"},
      {"case-sensitive by default", "SET-COOKIE: a=1;", "Set-Cookie:", ";", 1, false, ""},
      {"ignoring case", "SET-COOKIE: a=1;", "Set-Cookie:", ";", 1, true, " a=1"},
      {"quote placeholder in both markers", "name=\"value\" rest", Gbk(u8"name=#引号"), Gbk(u8"#引号"), 1, false,
       "value"},
      {"Chinese markers and text", kZhong + "x" + Gbk(u8"文字") + kZhong, kZhong + "x", kZhong, 1, false,
       Gbk(u8"文字")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TextBetween(c.text, c.left, c.right, c.start, c.ignoreCase), c.expected);
  }
}

TEST(NormaliseHeaderNames, CapitalisesEachPartOfTheName) {
  const struct {
    const char* name;
    std::string block, expected;
  } cases[] = {
      {"one line", "user-agent: x", "User-Agent: x"},
      {"lines joined without a final CR LF", "x-requested-with: XMLHttpRequest\r\naccept: */*\r\n",
       "X-Requested-With: XMLHttpRequest\r\nAccept: */*"},
      {"the value stays as it is", "a-b: c-d e", "A-B: c-d e"},
      {"the rest of each part stays", "cONTENT-tYPE: x", "CONTENT-TYPE: x"},
      {"only the name in front of the first colon", "host: a-b:80", "Host: a-b:80"},
      {"lines without a colon are dropped", "garbage\r\n\r\nhost: a\r\nmore garbage", "Host: a"},
      {"empty parts", "--x-: 1", "--X-: 1"},
      {"a Chinese part is left alone", kZhong + "-a: 1", kZhong + "-A: 1"},
      {"empty block", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(NormaliseHeaderNames(c.block), c.expected);
  }
}

TEST(HeaderValue, ReadsTheFirstLineThatBeginsWithTheName) {
  const struct {
    const char* name;
    std::string block, header, expected;
  } cases[] = {
      {"found", "Host: a\r\nConnection: keep-alive\r\n", "Connection", "keep-alive"},
      {"first line wins", "Connection: close\r\nConnection: keep-alive", "Connection", "close"},
      {"behind the last name in that line", "X: a X: b", "X", "b"},
      {"names compare exactly", "connection: close", "Connection", ""},
      {"the name must begin the line", "Proxy-Connection: close", "Connection", ""},
      {"a line beginning with the name but no separator", "Connectionless\r\nConnection: close", "Connection", ""},
      {"missing", "Host: a", "Connection", ""},
      {"empty name", "Host: a", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(HeaderValue(c.block, c.header), c.expected);
  }
}

TEST(BuildRequestHeaders, CompletesNormalisesAndAddsCookies) {
  const struct {
    const char* name;
    RequestHeaderOptions options;
    std::string expected;
  } cases[] = {
      {"a bare GET: the five defaults in order, no final CR LF", {}, kDefaultGetBlock},
      {"a POST also gets the form content type",
       {.isPost = true},
       kUserAgentLine +
           "\r\nAccept: text/html, application/xhtml+xml, */*\r\nAccept-Encoding: identity"
           "\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded\r\nCache-Control: no-cache"},
      {"a POST keeps its own content type, in any letter case",
       {.extraHeaders = "content-type: application/json", .isPost = true},
       "Content-Type: application/json\r\n" + kDefaultGetBlock},
      {"extra headers with their own agent keep it, renamed",
       {.extraHeaders = "user-agent: Probe/1.0\r\nx-token: abc"},
       "User-Agent: Probe/1.0\r\nX-Token: abc\r\nAccept: text/html, application/xhtml+xml, */*"
       "\r\nAccept-Encoding: identity\r\nAccept-Language: zh-cn\r\nCache-Control: no-cache"},
      {"without completion only the caller's lines", {.extraHeaders = "x-a: 1", .completeHeaders = false}, "X-A: 1"},
      {"without normalising names and the final CR LF stay",
       {.extraHeaders = "x-a: 1", .normaliseHeaderNames = false},
       "x-a: 1\r\n" + kDefaultGetBlock + "\r\n"},
      {"keep-alive is taken out",
       {.extraHeaders = "Connection: keep-alive\r\nX-A: 1", .completeHeaders = false},
       "X-A: 1"},
      {"other connection values stay",
       {.extraHeaders = "Connection: close\r\nX-A: 1", .completeHeaders = false},
       "Connection: close\r\nX-A: 1"},
      {"cookies follow the headers in their own line",
       {.cookies = "a=1; b=2"},
       kDefaultGetBlock + "\r\nCookie: a=1; b=2\r\n"},
      {"a cookie text with its own header name goes as it is",
       {.cookies = "cookie: a=1"},
       kDefaultGetBlock + "\r\ncookie: a=1\r\n"},
      {"no empty line in front of the cookies after a closed line",
       {.extraHeaders = "x-a: 1", .cookies = "a=1", .completeHeaders = false, .normaliseHeaderNames = false},
       "x-a: 1\r\nCookie: a=1\r\n"},
      {"cookies alone", {.cookies = "a=1", .completeHeaders = false}, "Cookie: a=1\r\n"},
      {"nothing at all", {.completeHeaders = false}, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(BuildRequestHeaders(c.options), c.expected);
  }
}

TEST(ReadResponseHeaders, StatusTextIsTheStatusLineBehindTheVersion) {
  const struct {
    std::string block, status;
  } cases[] = {
      {"HTTP/1.1 200 OK\r\nServer: x\r\n\r\n", "200 OK"},
      {"HTTP/1.1 404 Not Found\r\n\r\n", "404 Not Found"},
      {"HTTP/1.0 302 Found", "302 Found"},
      {"HTTP/1.1 ", ""},
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.block);
    EXPECT_EQ(ReadResponseHeaders(c.block).status, c.status);
  }
}

TEST(ReadResponseHeaders, CollectsSetCookieLines) {
  const struct {
    const char* name;
    std::string lines, cookies;
  } cases[] = {
      {"attributes are cut off", "Set-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\n", "a=1; b=2"},
      {"spaces around the item are trimmed", "Set-Cookie:   a=1  ; HttpOnly\r\n", "a=1"},
      {"the header name in any letter case", "set-cookie: a=1; path=/\r\nSET-COOKIE: b=2\r\n", "a=1; b=2"},
      {"other names that contain it are not cookies", "Set-Cookie2: x=1\r\nX-Set-Cookie: y=2\r\nSet-Cookie: z=3",
       "z=3"},
      {"a value holding the header name", "Set-Cookie: v=Set-Cookie:x", "v=Set-Cookie:x"},
      {"an empty cookie adds nothing", "Set-Cookie: ; path=/\r\nSet-Cookie: b=2", "b=2"},
      {"none", "Server: x\r\n", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ReadResponseHeaders("HTTP/1.1 200 OK\r\n" + c.lines + "\r\n").cookies, c.cookies);
  }
}

TEST(ReadResponseHeaders, LocationInAnyLetterCaseLastOneWins) {
  const struct {
    std::string lines, location;
  } cases[] = {
      {"Location: /next\r\n", "/next"},
      {"location: http://host/a?b=1\r\n", "http://host/a?b=1"},
      {"Location: /first\r\nLOCATION: /second\r\n", "/second"},
      {"Content-Location: /other\r\n", ""},
      {"Location:/no-space\r\n", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines);
    EXPECT_EQ(ReadResponseHeaders("HTTP/1.1 302 Found\r\n" + c.lines + "\r\n").location, c.location);
  }
}

}  // namespace
}  // namespace orvanta
