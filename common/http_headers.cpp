#include "http_headers.h"

#include <vector>

#include "codepage.h"
#include "gbk_text.h"
#include "http_text.h"

namespace orvanta {
namespace {

// A default line is added when the block does not yet contain its search
// text, in any letter case. The order is the order on the wire.
struct DefaultHeader {
  std::string_view searchedFor;
  std::string_view line;
  bool postOnly;
};

constexpr DefaultHeader kDefaultHeaders[] = {
    {"User-Agent: ", "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)\r\n", false},
    {"Accept: ", "Accept: text/html, application/xhtml+xml, */*\r\n", false},
    {"Accept-Encoding: ", "Accept-Encoding: identity\r\n", false},
    {"Accept-Language: ", "Accept-Language: zh-cn\r\n", false},
    {"Content-Type:", "Content-Type: application/x-www-form-urlencoded\r\n", true},
    {"Cache-Control: ", "Cache-Control: no-cache\r\n", false},
};

bool Contains(std::string_view text, std::string_view needle, bool ignoreCase) {
  return FindForward(text, needle, 1, ignoreCase) != 0;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && FindForward(text.substr(0, prefix.size()), prefix, 1, true) == 1;
}

bool EqualsIgnoringCase(std::string_view text, std::string_view other) {
  return text.size() == other.size() && StartsWithIgnoringCase(text, other);
}

}  // namespace

std::string TextBetween(std::string_view text, std::string_view left, std::string_view right, long long start,
                        bool ignoreCase) {
  static const std::string placeholder = Gbk(u8"#引号");
  const std::string leftMarker = ReplacePairs(left, {{placeholder, "\""}}, {.caseSensitive = true});
  const std::string rightMarker = ReplacePairs(right, {{placeholder, "\""}}, {.caseSensitive = true});
  const std::size_t leftAt = FindForward(text, leftMarker, start < 1 ? 1 : start, ignoreCase);
  if (leftAt == 0) return {};
  const std::size_t inside = leftAt - 1 + leftMarker.size();  // 0-based start of the text between
  const std::size_t rightAt = FindForward(text, rightMarker, static_cast<long long>(inside) + 1, ignoreCase);
  if (rightAt == 0) return {};
  return std::string(text.substr(inside, rightAt - 1 - inside));
}

std::string NormaliseHeaderNames(std::string_view block) {
  std::string out;
  for (std::string_view line : SplitText(block, "\r\n")) {
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) continue;
    if (!out.empty()) out += "\r\n";
    const std::size_t nameStart = out.size();
    out += line;
    // Header names are ASCII; a byte behind "-" is never the trail byte of a
    // double-byte character, since trail bytes start at 0x40.
    bool partStart = true;
    for (std::size_t i = nameStart; i < nameStart + colon; ++i) {
      if (partStart && out[i] >= 'a' && out[i] <= 'z') out[i] = static_cast<char>(out[i] - 'a' + 'A');
      partStart = out[i] == '-';
    }
  }
  return out;
}

std::string HeaderValue(std::string_view block, std::string_view name) {
  if (name.empty()) return {};
  const std::string marker = std::string(name) + ": ";
  for (std::string_view line : SplitText(block, "\r\n")) {
    if (line.substr(0, name.size()) == name) return TextAfter(line, marker);
  }
  return {};
}

std::string BuildRequestHeaders(const RequestHeaderOptions& options) {
  std::string block;
  if (!options.extraHeaders.empty()) {
    block.append(options.extraHeaders);
    block += "\r\n";
  }
  if (options.completeHeaders) {
    for (const DefaultHeader& header : kDefaultHeaders) {
      if (header.postOnly && !options.isPost) continue;
      if (!Contains(block, header.searchedFor, true)) block += header.line;
    }
  }
  if (options.normaliseHeaderNames) block = NormaliseHeaderNames(block);
  // The connection is WinHTTP's to manage: a caller's keep-alive line is taken out.
  if (Contains(block, "Connection", false) && HeaderValue(block, "Connection") == "keep-alive") {
    block = ReplacePairs(block, {{"Connection: keep-alive\r\n", ""}}, {.caseSensitive = true});
  }
  if (!options.cookies.empty()) {
    // A block that already ends a line (or is empty) needs no line break in
    // front of the cookie line: an empty line would end the header block.
    if (!block.empty() && !block.ends_with("\r\n")) block += "\r\n";
    if (!Contains(options.cookies, "Cookie:", true)) block += "Cookie: ";
    block.append(options.cookies);
    block += "\r\n";
  }
  return block;
}

ResponseHeaderFacts ReadResponseHeaders(std::string_view rawBlock) {
  ResponseHeaderFacts facts;
  // "HTTP/1.1 " is 9 bytes: the status code starts at byte 10.
  if (rawBlock.size() > 9) {
    const std::string_view status = rawBlock.substr(9);
    facts.status = std::string(status.substr(0, status.find("\r\n")));
  }
  for (std::string_view line : SplitText(rawBlock, "\r\n")) {
    // Header names are case-insensitive: some servers and proxies send
    // "set-cookie" in lower case.
    if (EqualsIgnoringCase(TextBefore(line, ": "), "Set-Cookie")) {
      const std::string value = Contains(line, ";", false) ? TextBetween(line, "Set-Cookie:", ";", 1, true)
                                                           : TextAfter(line, "Set-Cookie:", -1, true);
      const std::string_view cookie = TrimSpaces(value);
      if (!cookie.empty()) {
        facts.cookies.append(cookie);
        facts.cookies += "; ";
      }
    }
    if (StartsWithIgnoringCase(line, "Location: ")) facts.location = std::string(line.substr(10));
  }
  if (facts.cookies.ends_with("; ")) facts.cookies.resize(facts.cookies.size() - 2);
  return facts;
}

}  // namespace orvanta
