#include "regex_engine.h"

#include "codepage.h"
#include "gbk_text.h"

namespace orvanta {
namespace {

// GBK holds no character beyond the BMP, so one UTF-16 unit is one wchar_t
// whatever the platform's wchar_t width.
std::wstring Widen(std::string_view gbk) {
  const std::u16string units = GbkToUtf16(gbk);
  return std::wstring(units.begin(), units.end());
}

std::string Narrow(std::wstring_view wide) {
  std::u16string units;
  units.reserve(wide.size());
  for (wchar_t c : wide) units += static_cast<char16_t>(c);
  return Utf16ToGbk(units);
}

}  // namespace

namespace regex_detail {

std::optional<Compiled> Compile(std::string_view pattern, bool ignoreCase, bool multiLine, bool global) {
  auto flags = std::regex::ECMAScript;
  if (ignoreCase) flags |= std::regex::icase;
  if (multiLine) flags |= std::regex::multiline;
  try {
    return Compiled{std::wregex(Widen(pattern), flags), std::string(pattern), global};
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::vector<Match> Execute(const Compiled& compiled, std::string_view text) {
  std::vector<Match> matches;
  const std::wstring wide = Widen(text);
  std::vector<std::size_t> offsets;
  try {
    for (std::wsregex_iterator it(wide.begin(), wide.end(), compiled.regex), end; it != end; ++it) {
      if (offsets.empty()) offsets = GbkUnitOffsets(text);
      const std::wsmatch& found = *it;
      auto byteAt = [&](std::size_t charIndex) {
        return charIndex < offsets.size() ? offsets[charIndex] : text.size();
      };
      Match match;
      match.value = found.str();
      match.charIndex = static_cast<std::size_t>(found.position());
      match.byteIndex = byteAt(match.charIndex);
      for (std::size_t g = 1; g < found.size(); ++g) {
        match.groups.push_back(found[g].str());
        // A group that took no part is placed at its match.
        match.groupByteIndex.push_back(found[g].matched ? byteAt(static_cast<std::size_t>(found.position(g)))
                                                         : match.byteIndex);
      }
      matches.push_back(std::move(match));
      if (!compiled.global) break;
    }
  } catch (const std::exception&) {
    // The engine gave up (complexity or stack limit): no matches.
    matches.clear();
  }
  return matches;
}

std::string Replace(const Compiled& compiled, std::string_view text, std::string_view replacement) {
  const auto flags = compiled.global ? std::regex_constants::format_default : std::regex_constants::format_first_only;
  try {
    return Narrow(std::regex_replace(Widen(text), compiled.regex, Widen(replacement), flags));
  } catch (const std::exception&) {
    return {};
  }
}

std::string MatchSet::GetPattern() const { return compiled_ ? compiled_->pattern : std::string(); }

int MatchSet::MatchCount() const { return static_cast<int>(matches_.size()); }

int MatchSet::SubMatchCount() const {
  return matches_.empty() ? 0 : static_cast<int>(matches_.front().groups.size());
}

const Match* MatchSet::At(int match) const {
  if (match < 1 || static_cast<std::size_t>(match) > matches_.size()) return nullptr;
  return &matches_[static_cast<std::size_t>(match - 1)];
}

void MatchSet::Run(std::string_view text) {
  text_ = std::string(text);
  matches_ = compiled_ ? Execute(*compiled_, text_) : std::vector<Match>{};
}

}  // namespace regex_detail

namespace {

std::string EscapeList(std::string_view text, std::string_view specials) {
  std::string out;
  out.reserve(text.size() * 2);
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t width = GbkCharLength(text, at);
    if (width == 1 && specials.find(text[at]) != std::string_view::npos) out += '\\';
    out.append(text, at, width);
    at += width;
  }
  return out;
}

const std::wstring* GroupAt(const regex_detail::Match* found, int group) {
  if (found == nullptr || group < 1 || static_cast<std::size_t>(group) > found->groups.size()) return nullptr;
  return &found->groups[static_cast<std::size_t>(group - 1)];
}

}  // namespace

// Escaping character by character from a single list is the same as applying
// the list's escapes one after another with the backslash first: no inserted
// backslash is escaped again.
std::string RegexEngine::WildcardToPattern(std::string_view mask) {
  const std::string escaped = EscapeList(mask, "\\^$+.{}[]=()-\"");
  std::string out;
  out.reserve(escaped.size() * 2);
  for (std::size_t at = 0; at < escaped.size();) {
    const std::size_t width = GbkCharLength(escaped, at);
    if (width == 1 && (escaped[at] == '*' || escaped[at] == '?')) {
      out += '.';
      out += escaped[at];
    } else {
      out.append(escaped, at, width);
    }
    at += width;
  }
  return out;
}

std::string RegexEngine::EscapeAll(std::string_view text) { return EscapeList(text, "\\^$+.{}[]=()?*|\""); }
std::string RegexEngine::EscapeNoBar(std::string_view text) { return EscapeList(text, "\\^$+.{}[]=()?*\""); }
std::string RegexEngine::EscapeNoGroups(std::string_view text) { return EscapeList(text, "\\^$+.{}[]=?*\""); }

bool RegexEngine::Create(std::string_view pattern, bool ignoreCase, bool multiLine, bool global) {
  compiled_ = regex_detail::Compile(pattern, ignoreCase, multiLine, global);
  matches_.clear();
  text_.clear();
  return compiled_.has_value();
}

int RegexEngine::Execute(std::string_view text) {
  Run(text);
  return MatchCount();
}


std::string RegexEngine::Replace(std::string_view text, std::string_view replacement) const {
  return compiled_ ? regex_detail::Replace(*compiled_, text, replacement) : std::string();
}


std::string RegexEngine::MatchText(int match) const { return MatchTextAt(match, nullptr); }

std::string RegexEngine::SubMatchText(int match, int group) const { return SubMatchTextAt(match, group, nullptr); }

std::string RegexEngine::MatchTextAt(int match, long* position) const {
  const regex_detail::Match* found = At(match);
  if (found == nullptr) return {};
  if (position != nullptr) *position = static_cast<long>(found->charIndex);
  return Narrow(found->value);
}

std::string RegexEngine::SubMatchTextAt(int match, int group, long* position) const {
  const regex_detail::Match* found = At(match);
  const std::wstring* text = GroupAt(found, group);
  if (text == nullptr) return {};
  if (position != nullptr) *position = static_cast<long>(found->charIndex);
  return Narrow(*text);
}

bool RegexMatcher::Search(std::string_view pattern, std::string_view text, bool caseSensitive, bool multiLine,
                          bool global, bool quotePlaceholder) {
  static const std::string placeholder = Gbk(u8"#引号");
  const std::string source =
      quotePlaceholder ? ReplacePairs(pattern, {{placeholder, "\""}}, {.caseSensitive = true}) : std::string(pattern);
  compiled_ = regex_detail::Compile(source, !caseSensitive, multiLine, global);
  Run(text);
  return compiled_.has_value();
}

std::string RegexMatcher::Replace(std::string_view replacement) const {
  return compiled_ ? regex_detail::Replace(*compiled_, text_, replacement) : std::string();
}

std::string RegexMatcher::MatchText(int match, long* position) const {
  const regex_detail::Match* found = At(match);
  if (found == nullptr) return {};
  if (position != nullptr) *position = static_cast<long>(found->byteIndex);
  return Narrow(found->value);
}

std::string RegexMatcher::SubMatchText(int match, int group, long* position) const {
  const regex_detail::Match* found = At(match);
  const std::wstring* text = GroupAt(found, group);
  if (text == nullptr) return {};
  if (position != nullptr) *position = static_cast<long>(found->groupByteIndex[static_cast<std::size_t>(group - 1)]);
  return Narrow(*text);
}

}  // namespace orvanta
