// Arbitrary bytes into everything that reads header blocks, cookie texts and
// bodies a server sends: the response header block, Set-Cookie merging, the
// request block built around caller texts, the text cuts under them, and the
// charset a body declares.
//
// The input is up to three texts separated by zero bytes: a header block,
// then an old and a new cookie text (also used as extra headers and markers).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "http_charset.h"
#include "http_cookies.h"
#include "http_headers.h"
#include "http_response.h"
#include "http_text.h"

namespace {

void Check(bool holds) {
  if (!holds) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> parts;
  std::string_view rest = input;
  while (parts.size() < 2 && rest.find('\0') != std::string_view::npos) {
    parts.push_back(rest.substr(0, rest.find('\0')));
    rest.remove_prefix(parts.back().size() + 1);
  }
  parts.push_back(rest);
  parts.resize(3);
  const std::string_view block = parts[0];
  const std::string_view oldCookies = parts[1];
  const std::string_view newCookies = parts[2];

  // A response header block as WinHTTP hands it over.
  const orvanta::ResponseHeaderFacts facts = orvanta::ReadResponseHeaders(block);
  Check(facts.status.size() <= block.size() && facts.location.size() <= block.size());
  Check(!facts.cookies.ends_with("; "));
  orvanta::BodyCutShort(block, size, false);

  // Renaming header names changes nothing a second time.
  const std::string normalised = orvanta::NormaliseHeaderNames(block);
  Check(orvanta::NormaliseHeaderNames(normalised) == normalised);
  orvanta::HeaderValue(block, oldCookies);
  Check(
      orvanta::TextBetween(block, oldCookies, newCookies, static_cast<long long>(size % 7) - 2, size % 2 == 0).size() <=
      block.size());

  // Cookies merged never keep a deleted one, and come only from the inputs.
  const std::string merged = orvanta::MergeCookies(oldCookies, newCookies);
  Check(merged.size() <= oldCookies.size() + newCookies.size() + 2);
  for (std::string_view item : orvanta::SplitText(merged, "; ")) Check(!item.ends_with("=deleted"));
  Check(orvanta::RemoveDuplicates(block, newCookies).size() <= block.size());

  // Whatever the caller's texts, the cookies close the request block.
  const std::string request =
      orvanta::BuildRequestHeaders({.extraHeaders = block, .cookies = oldCookies, .isPost = size % 2 == 1});
  if (!oldCookies.empty()) Check(request.ends_with(std::string(oldCookies) + "\r\n"));
  // The same bytes as a body: the text never outgrows what a charset
  // decoding can make of the bytes (at most two GBK bytes per byte).
  Check(orvanta::BodyText(input).size() <= 2 * size);
  return 0;
}
