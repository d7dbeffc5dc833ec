// Header blocks of HTTP requests and responses, as GBK texts whose lines are
// separated by CR LF.
//
// The request side builds the block a request carries: the caller's extra
// lines in front, then the default lines it lacks, then the cookies. The
// response side reads what the program needs out of the raw block WinHTTP
// hands back: the status text, the cookies set and the redirect target.
#pragma once

#include <string>
#include <string_view>

namespace orvanta {

// The text between the first `left` found at or behind byte position `start`
// (1-based; below 1 counts as 1) and the next `right` behind it, or "" when
// either is missing. Every "#引号" in a marker stands for a double quote, so
// that callers can write markers holding quotes.
std::string TextBetween(std::string_view text, std::string_view left, std::string_view right, long long start = 1,
                        bool ignoreCase = false);

// Rewrites each header name (the text in front of a line's first ":") so that
// every part between "-" signs starts with a capital letter: "x-requested-with"
// becomes "X-Requested-With". Lines without ":" are dropped; the result has no
// final CR LF.
std::string NormaliseHeaderNames(std::string_view block);

// The value of the first line that begins with `name` (exactly), taken behind
// the last "<name>: " in that line; "" when no line begins with `name`.
std::string HeaderValue(std::string_view block, std::string_view name);

struct RequestHeaderOptions {
  std::string_view extraHeaders{};  // the caller's lines, CR LF between them
  std::string_view cookies{};       // "a=1; b=2", or a text that holds its own "Cookie:" line
  bool isPost = false;              // only a POST gets the default content type
  bool completeHeaders = true;      // add the default lines the block lacks
  bool normaliseHeaderNames = true;
};

// The header block a request hands to WinHTTP.
std::string BuildRequestHeaders(const RequestHeaderOptions& options);

// What the program reads from a raw response header block (status line first).
struct ResponseHeaderFacts {
  std::string status{};    // "200 OK": the status line behind "HTTP/1.1 "
  std::string cookies{};   // "a=1; b=2": name=value of every Set-Cookie line
  std::string location{};  // the value of the last "Location: " line
};

ResponseHeaderFacts ReadResponseHeaders(std::string_view rawBlock);

}  // namespace orvanta
