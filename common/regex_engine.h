// Regular expressions in the dialect the system's patterns are written for:
// ECMAScript-like, "." never matches a line break, "$1".."$9" in
// replacements, and by default case-insensitive, multi-line and global.
//
// Patterns and texts are GBK; matching runs on their UTF-16 form, so that "."
// and classes see whole Chinese characters. Match and group indices given to
// these classes are 1-based. No operation throws: a bad pattern makes Create
// or Search return false, and reading without matches gives "" or 0.
#pragma once

#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

namespace regex_detail {

struct Match {
  std::wstring value;
  std::size_t charIndex = 0;      // 0-based, in UTF-16 characters
  std::size_t byteIndex = 0;      // 0-based, in bytes of the GBK text
  std::vector<std::wstring> groups;
  std::vector<std::size_t> groupByteIndex;
};

struct Compiled {
  std::wregex regex;
  std::string pattern;
  bool global = true;
};

std::optional<Compiled> Compile(std::string_view pattern, bool ignoreCase, bool multiLine, bool global);
std::vector<Match> Execute(const Compiled& compiled, std::string_view text);
std::string Replace(const Compiled& compiled, std::string_view text, std::string_view replacement);

// The compiled pattern, the searched text and its matches, and the readings
// both wrappers share.
class MatchSet {
 public:
  std::string GetPattern() const;  // "" without a pattern
  int MatchCount() const;
  int SubMatchCount() const;  // groups of the first match

 protected:
  const Match* At(int match) const;  // 1-based; null when out of range
  void Run(std::string_view text);

  std::optional<Compiled> compiled_;
  std::vector<Match> matches_;
  std::string text_;
};

}  // namespace regex_detail

class RegexEngine : public regex_detail::MatchSet {
 public:
  // Pattern escapes: each puts a backslash in front of every character of its
  // list, backslash first.
  static std::string WildcardToPattern(std::string_view mask);  // also "*" -> ".*", "?" -> ".?"
  static std::string EscapeAll(std::string_view text);
  static std::string EscapeNoBar(std::string_view text);     // leaves "|" alone
  static std::string EscapeNoGroups(std::string_view text);  // leaves "|", "(" and ")" alone

  bool Create(std::string_view pattern, bool ignoreCase = true, bool multiLine = true, bool global = true);
  // Runs the pattern over `text` and keeps the matches; returns their count.
  int Execute(std::string_view text);
  std::string Replace(std::string_view text, std::string_view replacement) const;
  std::string MatchText(int match) const;
  std::string SubMatchText(int match, int group) const;
  // With `position`, also gives the match's 0-based index in characters.
  std::string MatchTextAt(int match, long* position) const;
  std::string SubMatchTextAt(int match, int group, long* position) const;
};

class RegexMatcher : public regex_detail::MatchSet {
 public:
  // Compiles `pattern` (with `quotePlaceholder`, each "#引号" stands for a
  // double quote) and runs it over `text`. False when the pattern is rejected;
  // true otherwise, even without a match.
  bool Search(std::string_view pattern, std::string_view text, bool caseSensitive = false, bool multiLine = true,
              bool global = true, bool quotePlaceholder = false);
  std::string Replace(std::string_view replacement) const;  // applied to the searched text
  // With `position`, also gives the 0-based byte offset in the searched text.
  std::string MatchText(int match, long* position = nullptr) const;
  std::string SubMatchText(int match, int group, long* position = nullptr) const;
};

}  // namespace orvanta
