// The white-space and quote rules of the JSON document, on GBK byte strings.
//
// A JSON text is read in its *normalised* form: blanks next to brackets and
// quotes are removed everywhere, inside strings too (see CompactJsonBlanks).
// Values keep their escapes as written; nothing here decodes them.
//
// Characters: a lead byte 0x81..0xFE followed by a trail byte (0x40..0x7E,
// 0x80..0xFE) is one double-byte character, every other byte is a character
// of its own. Trail bytes include '\\', '[', ']', '{' and '}', so structure is
// only ever looked for on character boundaries. A lead byte followed by a byte
// that cannot be a trail byte (a quote, a comma, the end) stands alone, so a
// character cut in half never swallows the quote or comma behind it.
//
// Blanks: space, tab, CR, LF, VT, FF and the ideographic space (A1 A1).
// Escapes: "\\\\" is an escaped backslash and "\\\"" an escaped quote, which
// is no quote for any rule here; any other backslash is an ordinary character.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvanta {

inline std::size_t JsonCharLength(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x81 || lead == 0xFF || at + 1 >= text.size()) return 1;
  const auto trail = static_cast<unsigned char>(text[at + 1]);
  return trail >= 0x40 && trail != 0x7F && trail != 0xFF ? 2 : 1;
}

// The ideographic space U+3000 in GBK.
inline constexpr std::string_view kIdeographicSpace = "\xA1\xA1";

// Length of the blank character at text[at], or 0 when it is none.
inline std::size_t JsonBlankLength(std::string_view text, std::size_t at) {
  const char c = text[at];
  if (c == ' ' || (c >= '\t' && c <= '\r')) return 1;
  return c == '\xA1' && at + 1 < text.size() && text[at + 1] == '\xA1' ? 2 : 0;
}

inline bool IsJsonLineBreak(char c) { return c == '\n' || c == '\r'; }

// For each byte, the scans that must stop at it; every other byte belongs to
// a run that a scan passes over in a tight loop.
enum JsonStop : std::uint8_t {
  kStopInString = 1,      // '"', '\\', CR, LF, a lead byte
  kStopInCompaction = 2,  // blanks, '"', '\\', ']', '}', a lead byte
  kStopInStrip = 4,       // blanks, '"', '\\', a lead byte
  kStopInStructure = 8,   // all of those, '{', '[', ':', ','
};

inline constexpr std::array<std::uint8_t, 256> kJsonStops = [] {
  std::array<std::uint8_t, 256> stops{};
  constexpr std::uint8_t kAll = kStopInString | kStopInCompaction | kStopInStrip | kStopInStructure;
  for (int b = 0x81; b <= 0xFE; ++b) stops[static_cast<std::size_t>(b)] = kAll;
  for (unsigned char b : {'\t', '\v', '\f', ' '}) stops[b] = kStopInCompaction | kStopInStrip | kStopInStructure;
  for (unsigned char b : {'\n', '\r', '"', '\\'}) stops[b] = kAll;
  for (unsigned char b : {']', '}'}) stops[b] = kStopInCompaction | kStopInStructure;
  for (unsigned char b : {'[', '{', ':', ','}) stops[b] = kStopInStructure;
  return stops;
}();

inline bool JsonStopsAt(char c, JsonStop scan) { return (kJsonStops[static_cast<unsigned char>(c)] & scan) != 0; }

// SkipJsonRun for a run of at least eight bytes from `at`: eight bytes are
// tested at once.
std::size_t SkipJsonWords(std::string_view text, std::size_t at, JsonStop scan);

// The first position at or behind `at` where `scan` stops, or the end. Keys
// and numbers are short runs, string contents (most of a message) long ones.
inline std::size_t SkipJsonRun(std::string_view text, std::size_t at, JsonStop scan) {
  const std::size_t shortRun = text.size() - at < 16 ? text.size() : at + 16;
  while (at < shortRun && !JsonStopsAt(text[at], scan)) ++at;
  if (at < shortRun || at == text.size()) return at;
  return SkipJsonWords(text, at, scan);
}

// Removes every run of blanks that follows ']', '}' or a quote, or that
// precedes '[', '{' or a quote. One exception keeps a run: where removing it
// would put a lone backslash directly in front of a quote, which would turn
// that quote into an escaped one.
std::string CompactJsonBlanks(std::string_view text);

// Removes spaces, ideographic spaces and tabs at the start and end of every
// line. Line breaks stay.
std::string TrimJsonLines(std::string_view text);

// Removes quotes and blanks around a key, a value or a path segment, in one
// left-to-right pass that at each position removes the first that applies of:
//   a run of blanks together with the quote behind it;
//   a quote together with the run of blanks behind it;
//   at the start of a line, a run of spaces, ideographic spaces, quotes and tabs;
//   a run of spaces, ideographic spaces, quotes and tabs that ends a line.
// With `escapes`, an escaped quote is no quote (keys and values); path
// segments have no escapes and pass false.
std::string StripJsonQuotes(std::string_view text, bool escapes);

}  // namespace orvanta
