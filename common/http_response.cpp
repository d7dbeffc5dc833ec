#include "http_response.h"

#include <optional>

#include "http_charset.h"
#include "http_cookies.h"
#include "http_headers.h"
#include "http_text.h"

namespace orvanta {
namespace {

bool IsHeader(std::string_view line, std::string_view name) {
  if (line.size() <= name.size() || line[name.size()] != ':') return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (fold(line[i]) != fold(name[i])) return false;
  }
  return true;
}

// The value of the first header line with this name (any letter case).
std::optional<std::string_view> FindHeader(std::string_view rawHeaders, std::string_view name) {
  for (std::string_view line : SplitText(rawHeaders, "\r\n")) {
    if (IsHeader(line, name)) return TrimSpaces(line.substr(name.size() + 1));
  }
  return std::nullopt;
}

// A decimal length; 18 digits at most, which no real body comes near.
std::optional<unsigned long long> ParseLength(std::string_view digits) {
  if (digits.empty() || digits.size() > 18) return std::nullopt;
  unsigned long long value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<unsigned long long>(c - '0');
  }
  return value;
}

}  // namespace

std::string CompleteResponse(std::string rawHeaders, std::string bodyBytes, std::string_view requestCookies,
                             bool mergeCookies, HttpResponse& response) {
  ResponseHeaderFacts facts = ReadResponseHeaders(rawHeaders);
  response.headers = std::move(rawHeaders);
  response.status = std::move(facts.status);
  response.location = std::move(facts.location);
  response.cookies =
      mergeCookies && !requestCookies.empty() ? MergeCookies(requestCookies, facts.cookies) : std::move(facts.cookies);
  response.bodyBytes = std::move(bodyBytes);
  return BodyText(response.bodyBytes);
}

bool BodyCutShort(std::string_view rawHeaders, std::size_t received, bool headRequest) {
  if (headRequest) return false;
  const std::string status = ReadResponseHeaders(rawHeaders).status;
  if (status.starts_with('1') || status.starts_with("204") || status.starts_with("304")) return false;
  if (FindHeader(rawHeaders, "Transfer-Encoding")) return false;
  const auto declared = FindHeader(rawHeaders, "Content-Length");
  if (!declared) return false;
  const auto length = ParseLength(*declared);
  return length && received < *length;
}

}  // namespace orvanta
