#include "json_parser.h"

#include <cstdint>
#include <limits>
#include <new>
#include <vector>

#include "json_text.h"

namespace orvanta {
namespace {

using Span = JsonNodeTable::Span;

// Node positions are ints; a text cannot make more nodes than this.
constexpr int kMaxNodes = std::numeric_limits<std::int32_t>::max() - 1;

// An open object or array, and the member or element being read in it.
// Positions fit 32 bits (texts stay below kJsonMaxTextSize); a small frame
// keeps opening and closing containers cheap.
struct Frame {
  std::int32_t node = 0;
  std::int32_t valueNode = 0;   // the value's node, when it opened as an object or array
  std::uint32_t regionStart = 0;  // behind the "{", "[", "," or ":" that began the key or value
  std::uint32_t contentStart = 0;
  std::uint32_t contentEnd = 0;
  std::uint32_t lineBreaksBefore = 0;  // line breaks in the text before contentStart
  std::int32_t braces = 0;             // "{" minus "}" since the value's start
  std::int32_t brackets = 0;           // "[" minus "]"
  Span key;                            // the key of the member being read
  bool object = false;
  bool inKey = false;    // an object's key, up to its colon
  bool content = false;  // anything but spaces, ideographic spaces and tabs seen in the value
  bool solid = false;    // anything but blanks seen in the value
};

bool IsPlainKeyByte(char c) {
  return c != '"' && c != '\\' && c != ' ' && !(c >= '\t' && c <= '\r') && c != '\xA1';
}

class Parser {
 public:
  Parser(JsonNodeTable& table, bool zeroBased)
      : table_(table), text_(table.Normalised()), base_(zeroBased ? 1 : 0) {}

  void Run(std::size_t firstBracket) {
    Open(1, text_[firstBracket], firstBracket);
    at_ = firstBracket + 1;
    try {
      while (at_ < text_.size() && !stack_.empty()) {
        if (!Step()) break;
      }
    } catch (const std::bad_alloc&) {
      // No room for more nodes: reading ends here, as at the nesting limit.
    }
    if (!stack_.empty()) DropUnfinished();
  }

 private:
  // Reads the character at at_; false when reading must stop.
  bool Step() {
    Frame& frame = stack_.back();
    if (!JsonStopsAt(text_[at_], kStopInStructure)) {
      // A run of characters that mean nothing to the structure.
      const std::size_t end = SkipJsonRun(text_, at_, kStopInStructure);
      if (!frame.inKey) Content(frame, at_, end, true);
      at_ = end;
      return true;
    }
    const std::size_t width = JsonCharLength(text_, at_);
    if (width == 2) {
      const bool ideographicSpace = text_[at_] == '\xA1' && text_[at_ + 1] == '\xA1';
      if (!frame.inKey && !ideographicSpace) Content(frame, at_, at_ + 2, true);
      at_ += 2;
      return true;
    }
    const char c = text_[at_];
    if (c == '"') {
      const std::size_t start = at_;
      if (!frame.inKey) BeginContent(frame, start);
      at_ = StringEnd(start);
      if (!frame.inKey) Content(frame, start, at_, true);
      return true;
    }
    if (c == '\\') {
      const std::size_t end = EscapeEnd(at_);
      if (!frame.inKey) Content(frame, at_, end, true);
      at_ = end;
      return true;
    }
    if (frame.inKey) {
      KeyCharacter(frame, c);
      return true;
    }
    return ValueCharacter(frame, c);
  }

  void KeyCharacter(Frame& frame, char c) {
    if (c == ':') {
      frame.key = KeySpan(frame.regionStart, at_);
      frame.inKey = false;
      StartValue(frame, at_ + 1);
    } else if (c == ',') {
      frame.regionStart = static_cast<std::uint32_t>(at_ + 1);  // a member without a colon: dropped
    } else if (c == '}') {
      Close();
      return;
    } else if (IsJsonLineBreak(c)) {
      ++lineBreaks_;
    }
    ++at_;
  }

  bool ValueCharacter(Frame& frame, char c) {
    if (c == ' ' || c == '\t') {
      do {
        ++at_;
      } while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t'));
      return true;
    }
    if ((c == '{' || c == '[') && !frame.content) return OpenNested(frame, c);
    const char closer = frame.object ? '}' : ']';
    if ((c == ',' || c == closer) && frame.braces == 0 && frame.brackets == 0) {
      if (!FinishValue(frame, c)) return false;
      if (c == closer) {
        Close();
        return true;
      }
      if (frame.object) {
        frame.inKey = true;
        frame.regionStart = static_cast<std::uint32_t>(at_ + 1);
      } else {
        StartValue(frame, at_ + 1);
      }
      ++at_;
      return true;
    }
    if (c == '{') ++frame.braces;
    if (c == '}') --frame.braces;
    if (c == '[') ++frame.brackets;
    if (c == ']') --frame.brackets;
    const bool lineBreak = IsJsonLineBreak(c);
    Content(frame, at_, at_ + 1, !lineBreak && c != '\v' && c != '\f');
    if (lineBreak) ++lineBreaks_;
    ++at_;
    return true;
  }

  bool OpenNested(Frame& frame, char bracket) {
    if (stack_.size() >= static_cast<std::size_t>(kJsonMaxNesting) || table_.Count() >= kMaxNodes) return false;
    BeginContent(frame, at_);
    const JsonKind kind = bracket == '{' ? JsonKind::kObject : JsonKind::kArray;
    frame.valueNode =
        frame.object ? table_.AppendChild(frame.node, frame.key, kind) : table_.AppendElement(frame.node, base_, kind);
    frame.content = true;
    frame.solid = true;
    frame.contentEnd = static_cast<std::uint32_t>(at_ + 1);
    Open(frame.valueNode, bracket, at_);  // invalidates `frame`
    ++at_;
    return true;
  }

  void Open(int node, char bracket, std::size_t at) {
    Frame& opened = stack_.emplace_back();
    opened.node = node;
    opened.object = bracket == '{';
    opened.inKey = opened.object;
    opened.regionStart = static_cast<std::uint32_t>(at + 1);
  }

  // The container on top of the stack ends with the bracket at at_.
  void Close() {
    const int node = stack_.back().node;
    const bool object = stack_.back().object;
    stack_.pop_back();
    ++at_;
    if (!stack_.empty()) {
      // The parent goes on reading whatever stands between the bracket and
      // its own separator as part of the same value.
      stack_.back().contentEnd = static_cast<std::uint32_t>(at_);
      return;
    }
    if (!object) return;
    // Behind the top-level object, the next "{" continues it.
    const std::size_t next = FindOpening(at_, '{');
    if (next < text_.size()) {
      Open(node, '{', next);
      at_ = next + 1;
    }
  }

  // The value ends at the separator at at_. False when no more nodes fit.
  bool FinishValue(Frame& frame, char separator) {
    if (!frame.object && separator == ']' && !frame.solid && frame.valueNode == 0 &&
        table_.ChildCount(frame.node) == 0) {
      return true;  // "[]": no element, even with line breaks inside
    }
    Span value = JsonNodeTable::MakeSpan(frame.regionStart, 0);
    bool trimLines = lineBreaks_ != frame.lineBreaksBefore;
    if (frame.content) {
      value = JsonNodeTable::MakeSpan(frame.contentStart, frame.contentEnd - frame.contentStart);
      trimLines = lineBreaks_ != frame.lineBreaksBefore;
    }
    int node = frame.valueNode;
    if (node == 0) {
      if (table_.Count() >= kMaxNodes) return false;
      node = frame.object ? table_.AppendChild(frame.node, frame.key, JsonKind::kScalar)
                          : table_.AppendElement(frame.node, base_, JsonKind::kScalar);
    }
    table_.SetValueSpan(node, value, trimLines);
    return true;
  }

  static void StartValue(Frame& frame, std::size_t start) {
    frame.regionStart = static_cast<std::uint32_t>(start);
    frame.valueNode = 0;
    frame.content = false;
    frame.solid = false;
    frame.braces = 0;
    frame.brackets = 0;
  }

  void BeginContent(Frame& frame, std::size_t at) {
    if (frame.content) return;
    frame.content = true;
    frame.contentStart = static_cast<std::uint32_t>(at);
    frame.lineBreaksBefore = lineBreaks_;
  }

  void Content(Frame& frame, std::size_t start, std::size_t end, bool solid) {
    BeginContent(frame, start);
    frame.contentEnd = static_cast<std::uint32_t>(end);
    frame.solid = frame.solid || solid;
  }

  // The text ended, or nesting went too deep, inside the member or element
  // of the root that is still open: it has no end and is dropped.
  void DropUnfinished() {
    if (stack_.size() >= 2) {
      table_.DropFrom(stack_[1].node);
    } else if (!stack_[0].inKey && stack_[0].valueNode != 0) {
      table_.DropFrom(stack_[0].valueNode);
    }
  }

  Span KeySpan(std::size_t start, std::size_t colon) {
    const std::string_view region = text_.substr(start, colon - start);
    bool plain = region.size() >= 2 && region.front() == '"' && region.back() == '"';
    for (std::size_t i = 1; plain && i + 1 < region.size(); ++i) plain = IsPlainKeyByte(region[i]);
    // "key" loses its quotes and nothing else: the span inside them will do.
    if (plain) return JsonNodeTable::MakeSpan(start + 1, region.size() - 2);
    return table_.Keep(StripJsonQuotes(region, true));
  }

  // Behind the quote that closes the string opening at `quote`, or the end.
  std::size_t StringEnd(std::size_t quote) {
    std::size_t at = quote + 1;
    while (at < text_.size()) {
      at = SkipJsonRun(text_, at, kStopInString);
      if (at == text_.size()) break;
      const char c = text_[at];
      if (c == '"') return at + 1;
      if (c == '\\') {
        at = EscapeEnd(at);
        continue;
      }
      if (IsJsonLineBreak(c)) ++lineBreaks_;
      at += JsonCharLength(text_, at);
    }
    return at;
  }

  // "\\\\" and "\\\"" are one unit; any other backslash stands alone.
  std::size_t EscapeEnd(std::size_t backslash) const {
    const std::size_t next = backslash + 1;
    return next < text_.size() && (text_[next] == '\\' || text_[next] == '"') ? next + 1 : next;
  }

  // The first `bracket` at or behind `from` outside strings, or the end.
  std::size_t FindOpening(std::size_t from, char bracket) {
    std::size_t at = from;
    while (at < text_.size()) {
      const char c = text_[at];
      if (c == bracket && JsonCharLength(text_, at) == 1) return at;
      if (c == '"') {
        at = StringEnd(at);
      } else if (c == '\\') {
        at = EscapeEnd(at);
      } else {
        at += JsonCharLength(text_, at);
      }
    }
    return at;
  }

  JsonNodeTable& table_;
  const std::string_view text_;
  const int base_;
  std::size_t at_ = 0;
  std::uint32_t lineBreaks_ = 0;
  std::vector<Frame> stack_;
};

// The first "{" or "[" outside strings, or the end of the text.
std::size_t FindFirstBracket(std::string_view text) {
  std::size_t at = 0;
  bool inString = false;
  while (at < text.size()) {
    const std::size_t width = JsonCharLength(text, at);
    const char c = width == 1 ? text[at] : '\0';
    if (c == '\\') {
      at += at + 1 < text.size() && (text[at + 1] == '\\' || text[at + 1] == '"') ? 2 : 1;
      continue;
    }
    if (c == '"') inString = !inString;
    if (!inString && (c == '{' || c == '[')) return at;
    at += width;
  }
  return at;
}

}  // namespace

void ParseJsonInto(std::string_view text, bool zeroBased, JsonNodeTable& table) {
  if (text.size() >= kJsonMaxTextSize) {
    table.StartBuilding("", "", JsonKind::kObject);
    return;
  }
  std::string normalised = CompactJsonBlanks(text);
  const std::size_t first = FindFirstBracket(normalised);
  const bool array = first < normalised.size() && normalised[first] == '[';
  table.StartBuilding(std::move(normalised), text, array ? JsonKind::kArray : JsonKind::kObject);
  if (first < table.Normalised().size()) Parser(table, zeroBased).Run(first);
}

}  // namespace orvanta
