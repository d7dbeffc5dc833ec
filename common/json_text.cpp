#include "json_text.h"

#include <algorithm>
#include <cstring>

namespace orvanta {
namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101u;
constexpr std::uint64_t kHighBits = 0x8080808080808080u;

// High bit set in some byte exactly when `word` holds a zero byte.
constexpr std::uint64_t ZeroByte(std::uint64_t word) { return (word - kOnes) & ~word & kHighBits; }

constexpr std::uint64_t Holds(std::uint64_t word, char c) {
  return ZeroByte(word ^ (kOnes * static_cast<unsigned char>(c)));
}

// Nonzero when the eight bytes may hold a stop of `scan`. It may flag a byte
// the scan passes (a control character, 0x80, 0xFF), never miss one.
std::uint64_t MayStop(std::uint64_t word, JsonStop scan) {
  std::uint64_t found = (word & kHighBits) | Holds(word, '"') | Holds(word, '\\');
  if (scan == kStopInString) return found | Holds(word, '\n') | Holds(word, '\r');
  found |= (word - kOnes * 0x21) & ~word & kHighBits;  // a byte below 0x21
  if (scan == kStopInStrip) return found;
  found |= Holds(word, ']') | Holds(word, '}');
  if (scan == kStopInCompaction) return found;
  return found | Holds(word, '[') | Holds(word, '{') | Holds(word, ':') | Holds(word, ',');
}

// Spaces, ideographic spaces and tabs: what line trimming removes.
std::size_t EdgeBlankLength(std::string_view text, std::size_t at) {
  const char c = text[at];
  if (c == ' ' || c == '\t') return 1;
  return c == '\xA1' && at + 1 < text.size() && text[at + 1] == '\xA1' ? 2 : 0;
}

std::size_t SkipBlanks(std::string_view text, std::size_t at) {
  while (at < text.size()) {
    const char c = text[at];
    if (c == ' ' || (c >= '\t' && c <= '\r')) {
      ++at;
    } else if (c == '\xA1' && at + 1 < text.size() && text[at + 1] == '\xA1') {
      at += 2;
    } else {
      break;
    }
  }
  return at;
}

// Behind a run of spaces, ideographic spaces, tabs and quotes that starts at
// `at` (whose first character the caller has checked).
std::size_t SkipEdgeRun(std::string_view text, std::size_t at) {
  while (at < text.size()) {
    if (text[at] == '"') {
      ++at;
      continue;
    }
    const std::size_t width = EdgeBlankLength(text, at);
    if (width == 0) break;
    at += width;
  }
  return at;
}

bool AtLineStart(std::string_view text, std::size_t at) { return at == 0 || IsJsonLineBreak(text[at - 1]); }

bool AtLineEnd(std::string_view text, std::size_t at) { return at == text.size() || IsJsonLineBreak(text[at]); }

}  // namespace

std::size_t SkipJsonWords(std::string_view text, std::size_t at, JsonStop scan) {
  for (;;) {
    while (at + 8 <= text.size()) {
      std::uint64_t word;
      std::memcpy(&word, text.data() + at, 8);
      if (MayStop(word, scan) != 0) break;
      at += 8;
    }
    const std::size_t limit = std::min(text.size(), at + 8);
    while (at < limit && !JsonStopsAt(text[at], scan)) ++at;
    if (at < limit || at == text.size()) return at;
  }
}

// Whether the text holds no blank at all, so compaction leaves it as it is.
// Looks at bytes, not characters: 0xA1 0xA1 across two characters counts.
bool HasNoBlanks(std::string_view text) {
  const auto ideographicAt = [text](std::size_t at) {
    return text[at] == '\xA1' && at + 1 < text.size() && text[at + 1] == '\xA1';
  };
  std::size_t at = 0;
  for (; at + 8 <= text.size(); at += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + at, 8);
    if (((word - kOnes * 0x21) & ~word & kHighBits) != 0) return false;  // a byte below 0x21
    if (Holds(word, '\xA1') != 0) {
      for (std::size_t i = at; i < at + 8; ++i) {
        if (ideographicAt(i)) return false;
      }
    }
  }
  for (; at < text.size(); ++at) {
    if (static_cast<unsigned char>(text[at]) < 0x21 || ideographicAt(at)) return false;
  }
  return true;
}

std::string CompactJsonBlanks(std::string_view text) {
  if (HasNoBlanks(text)) return std::string(text);
  std::string out;
  out.reserve(text.size());
  std::size_t copiedUpTo = 0;
  bool afterCloser = false;   // the last character is ']', '}' or a quote that is not escaped
  bool loneBackslash = false;  // the last character is a backslash that escapes what follows
  std::size_t at = 0;
  while (at < text.size()) {
    if (!JsonStopsAt(text[at], kStopInCompaction)) {
      at = SkipJsonRun(text, at, kStopInCompaction);
      afterCloser = false;
      loneBackslash = false;
      continue;
    }
    if (JsonBlankLength(text, at) != 0) {
      const std::size_t end = SkipBlanks(text, at);
      const char next = end < text.size() ? text[end] : '\0';
      const bool beforeOpener = next == '[' || next == '{' || next == '"';
      // "\ \"" must not become "\\\"": the quote would change its meaning.
      const bool wouldEscape = next == '"' && loneBackslash;
      if (afterCloser || (beforeOpener && !wouldEscape)) {
        out.append(text, copiedUpTo, at - copiedUpTo);
        copiedUpTo = end;
      }
      afterCloser = false;
      loneBackslash = false;
      at = end;
      continue;
    }
    const std::size_t width = JsonCharLength(text, at);
    const char c = width == 1 ? text[at] : '\0';
    if (c == '\\') {
      loneBackslash = !loneBackslash;
      afterCloser = false;
    } else if (c == '"') {
      afterCloser = !loneBackslash;
      loneBackslash = false;
    } else {
      afterCloser = c == ']' || c == '}';
      loneBackslash = false;
    }
    at += width;
  }
  out.append(text, copiedUpTo, text.size() - copiedUpTo);
  return out;
}

std::string TrimJsonLines(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t copiedUpTo = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    if (EdgeBlankLength(text, at) != 0) {
      std::size_t end = at;
      while (end < text.size()) {
        const std::size_t width = EdgeBlankLength(text, end);
        if (width == 0) break;
        end += width;
      }
      if (AtLineStart(text, at) || AtLineEnd(text, end)) {
        out.append(text, copiedUpTo, at - copiedUpTo);
        copiedUpTo = end;
      }
      at = end;
      continue;
    }
    at += JsonCharLength(text, at);
  }
  out.append(text, copiedUpTo, text.size() - copiedUpTo);
  return out;
}

std::string StripJsonQuotes(std::string_view text, bool escapes) {
  std::string out;
  out.reserve(text.size());
  std::size_t copiedUpTo = 0;
  bool loneBackslash = false;
  // Runs already looked at and known not to match end at these positions, so
  // no run is scanned more than once (the pass stays linear).
  std::size_t blanksNotBeforeQuoteUntil = 0;
  std::size_t edgeRunNotAtLineEndUntil = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    if (!JsonStopsAt(text[at], kStopInStrip)) {
      at = SkipJsonRun(text, at, kStopInStrip);
      loneBackslash = false;
      continue;
    }
    const bool quote = text[at] == '"' && !(escapes && loneBackslash);
    std::size_t matchEnd = 0;
    if (at >= blanksNotBeforeQuoteUntil && JsonBlankLength(text, at) != 0) {
      const std::size_t end = SkipBlanks(text, at);
      // A quote behind a blank is never escaped.
      if (end < text.size() && text[end] == '"') {
        matchEnd = end + 1;
      } else {
        blanksNotBeforeQuoteUntil = end;
      }
    }
    if (matchEnd == 0 && quote && at + 1 < text.size() && JsonBlankLength(text, at + 1) != 0) {
      matchEnd = SkipBlanks(text, at + 1);
    }
    if (matchEnd == 0 && (quote || EdgeBlankLength(text, at) != 0)) {
      if (AtLineStart(text, at)) {
        matchEnd = SkipEdgeRun(text, at);
      } else if (at >= edgeRunNotAtLineEndUntil) {
        const std::size_t end = SkipEdgeRun(text, at);
        if (AtLineEnd(text, end)) {
          matchEnd = end;
        } else {
          edgeRunNotAtLineEndUntil = end;
        }
      }
    }
    if (matchEnd != 0) {
      out.append(text, copiedUpTo, at - copiedUpTo);
      copiedUpTo = matchEnd;
      at = matchEnd;
      loneBackslash = false;  // a match ends on a quote or a blank
      continue;
    }
    const std::size_t width = JsonCharLength(text, at);
    loneBackslash = width == 1 && text[at] == '\\' ? !loneBackslash : false;
    at += width;
  }
  out.append(text, copiedUpTo, text.size() - copiedUpTo);
  return out;
}

}  // namespace orvanta
