#include "gbk_text.h"

#include <algorithm>

namespace orvanta {
namespace {

unsigned char FoldLatin(unsigned char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// Whether `needle` stands at text[at] and ends on a character boundary of
// `text`. Compared character by character, so that folding touches single-byte
// Latin letters only, never the trail byte of a double-byte character (trail
// bytes include the ASCII letter range).
bool MatchesAt(std::string_view text, std::size_t at, std::string_view needle, bool ignoreCase) {
  if (needle.size() > text.size() - at) return false;
  std::size_t i = 0;
  while (i < needle.size()) {
    const std::size_t width = GbkCharLength(text, at + i);
    if (i + width > needle.size()) return false;  // would end inside a character
    const auto t = static_cast<unsigned char>(text[at + i]);
    const auto n = static_cast<unsigned char>(needle[i]);
    if (width == 2) {
      if (t != n || text[at + i + 1] != needle[i + 1]) return false;
    } else if (ignoreCase ? FoldLatin(t) != FoldLatin(n) : t != n) {
      return false;
    }
    i += width;
  }
  return true;
}

// FindForward for a scan that may begin at `boundary`, a 0-based offset known
// to start a character, so repeated searches need not rescan from the front.
std::size_t FindForwardFrom(std::string_view text, std::string_view needle, std::size_t boundary,
                            long long from, bool ignoreCase) {
  if (needle.empty() || needle.size() > text.size()) return 0;
  const std::size_t first = from < 1 ? 0 : static_cast<std::size_t>(from - 1);
  const std::size_t last = text.size() - needle.size();  // last 0-based start that fits
  for (std::size_t at = boundary; at <= last; at += GbkCharLength(text, at)) {
    if (at >= first && MatchesAt(text, at, needle, ignoreCase)) return at + 1;
  }
  return 0;
}

}  // namespace

std::size_t FindForward(std::string_view text, std::string_view needle, long long from, bool ignoreCase) {
  return FindForwardFrom(text, needle, 0, from, ignoreCase);
}

std::size_t FindBackward(std::string_view text, std::string_view needle, long long below, bool ignoreCase) {
  if (needle.empty() || below < 1) return 0;
  // The match must end at or before byte below-1: its 0-based end is below-2.
  const auto limit = static_cast<unsigned long long>(below - 1);
  if (limit < needle.size()) return 0;
  const std::size_t lastStart = static_cast<std::size_t>(
      std::min<unsigned long long>(limit, text.size()) - needle.size());
  std::size_t found = 0;
  for (std::size_t at = 0; at <= lastStart; at += GbkCharLength(text, at)) {
    if (MatchesAt(text, at, needle, ignoreCase)) found = at + 1;
  }
  return found;
}

std::string ReplacePairs(std::string_view text, std::initializer_list<ReplacePair> pairs,
                         const ReplaceOptions& options) {
  std::string result(text);
  const long long start = options.start < 1 ? 1 : options.start;
  for (const ReplacePair& pair : pairs) {
    if (pair.search.empty() || result.empty() || start > static_cast<long long>(result.size())) continue;
    std::string next;
    next.reserve(result.size());
    std::size_t copied = 0;  // bytes of `result` already moved to `next`
    long long left = options.count;
    const bool ignoreCase = !options.caseSensitive;
    std::size_t at = FindForwardFrom(result, pair.search, 0, start, ignoreCase);
    while (at != 0 && left != 0) {
      next.append(result, copied, at - 1 - copied);
      next.append(pair.replacement);
      copied = at - 1 + pair.search.size();
      if (left > 0) --left;
      // A match ends on a character boundary, so the scan resumes there.
      at = FindForwardFrom(result, pair.search, copied, static_cast<long long>(copied) + 1, ignoreCase);
    }
    next.append(result, copied, std::string::npos);
    result = std::move(next);
  }
  return result;
}

std::string TextBefore(std::string_view text, std::string_view delimiter, long long start, bool ignoreCase) {
  const auto length = static_cast<long long>(text.size());
  std::size_t at;
  if (start >= 0) {
    at = FindForward(text, delimiter, start == 0 ? 1 : start, ignoreCase);
  } else {
    at = FindBackward(text, delimiter, start == -1 ? length + 1 : length + start + 1, ignoreCase);
  }
  return at == 0 ? std::string() : std::string(text.substr(0, at - 1));
}

std::string TextAfter(std::string_view text, std::string_view delimiter, long long start, bool ignoreCase) {
  const auto length = static_cast<long long>(text.size());
  std::size_t at;
  if (start >= 0) {
    at = FindBackward(text, delimiter, length - start + 1, ignoreCase);
  } else {
    at = FindForward(text, delimiter, start == -1 ? 1 : -start, ignoreCase);
  }
  return at == 0 ? std::string() : std::string(text.substr(at - 1 + delimiter.size()));
}

}  // namespace orvanta
