// Text operations on code-page-936 (GBK) byte strings.
//
// Positions count bytes from 1. A byte of 0x80 or more starts a double-byte
// character together with the byte after it; searches step by character, so no
// match ever begins on the second byte of a Chinese character.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace orvanta {

// Length in bytes of the character that starts at text[at] (1 or 2; 1 for a
// lead byte that has no byte after it).
inline std::size_t GbkCharLength(std::string_view text, std::size_t at) {
  return static_cast<unsigned char>(text[at]) >= 0x80 && at + 1 < text.size() ? 2 : 1;
}

// Position (1-based) of the first occurrence of `needle` that begins at or
// behind `from`, or 0. `ignoreCase` folds Latin letters only.
std::size_t FindForward(std::string_view text, std::string_view needle, long long from, bool ignoreCase);

// Position (1-based) of the last occurrence of `needle` that lies wholly within
// the bytes 1 .. below-1, or 0.
std::size_t FindBackward(std::string_view text, std::string_view needle, long long below, bool ignoreCase);

struct ReplacePair {
  std::string_view search;
  std::string_view replacement;
};

struct ReplaceOptions {
  long long count = -1;        // occurrences to replace per pair; negative means all
  long long start = 1;         // bytes in front of this position stay as they are
  bool caseSensitive = false;  // by default Latin letters match in either case
};

// Applies the pairs in order, each to the result of the one before. Replacement
// texts are not searched again by their own pair, but later pairs see them.
std::string ReplacePairs(std::string_view text, std::initializer_list<ReplacePair> pairs,
                         const ReplaceOptions& options = {});

// The text in front of a delimiter. start 0: the first occurrence; start > 0:
// the first at or behind that position; start -1: the last occurrence;
// start -n: the last occurrence that ends before the n-1 final bytes.
std::string TextBefore(std::string_view text, std::string_view delimiter, long long start = 0,
                       bool ignoreCase = false);

// The text behind a delimiter; the search directions are those of TextBefore
// reversed. start 0: the last occurrence; start > 0: the last occurrence
// followed by at least `start` bytes; start -1: the first occurrence;
// start -n: the first occurrence at or behind position n.
std::string TextAfter(std::string_view text, std::string_view delimiter, long long start = 0,
                      bool ignoreCase = false);

}  // namespace orvanta
