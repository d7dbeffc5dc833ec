// The one-pass parser against a direct, slow reading of the splitting rules:
// regular expressions over the whole text, a copy with string contents
// blanked out, splits at balanced separators, and every nested value prepared
// and split again. For well-formed texts both must give the same node table.
//
// Generated documents avoid the two shapes where the parser deliberately
// differs: a backslash followed by two apostrophes (the rules stand an escaped
// quote in as backslash-apostrophe-apostrophe and turn every such sequence back
// into an escaped quote) and an empty array holding a line break (the rules
// count that as one element).
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "codepage.h"
#include "gbk_text.h"
#include "json_document.h"
#include "json_text.h"
#include "regex_engine.h"

namespace orvanta {
namespace {

struct ModelNode {
  std::string name;
  int kind = 0;
  std::string value;
  int depth = 0;
  int childCount = 0;
  int ordinal = 0;
};

class SplitModel {
 public:
  SplitModel() {
    // '' in the rules' patterns stands for a double quote; std::regex wants
    // the brace escaped.
    ready_ = strip_.Create(Gbk(u8"[\\s　]+\"|\"[\\s　]+|^[ 　\"\\t]+|[ 　\"\\t]+$")) &&
             spaceBefore_.Create(Gbk(u8"[\\s　]+(\\[|\\{|\")")) &&
             spaceAfter_.Create(Gbk(u8"(\\]|\\}|\")[\\s　]+")) && trim_.Create(Gbk(u8"^[ 　\\t]+|[ 　\\t]+$"));
  }

  bool Ready() const { return ready_; }

  std::vector<ModelNode> Parse(const std::string& text, bool zeroBased) {
    nodes_.clear();
    zeroBased_ = zeroBased;
    Prepare(text);
    const std::size_t brace = FindForward(structural_, "{", 1, false);
    const std::size_t bracket = FindForward(structural_, "[", 1, false);
    const bool array = brace == 0 ? bracket != 0 : bracket != 0 && bracket < brace;
    Insert(0, "JSON", array ? 2 : 1, text);
    if (brace == 0 && bracket == 0) return nodes_;
    if (array) {
      AddElements(SplitArray(bracket - 1), 1);
    } else {
      AddMembers(SplitObject(brace - 1), 1);
    }
    return nodes_;
  }

  std::string ValueText(const std::string& value) const {
    return ReplacePairs(strip_.Replace(value, ""), {{"\\''", "\\\""}}, {.caseSensitive = true});
  }

  // The rules' texts hold an escaped quote as backslash-apostrophe-apostrophe.
  static std::string Restored(const std::string& text) {
    return ReplacePairs(text, {{"\\''", "\\\""}}, {.caseSensitive = true});
  }

 private:
  using Pairs = std::vector<std::pair<std::string, std::string>>;

  void Prepare(const std::string& text) {
    std::string prepared =
        ReplacePairs(text, {{"\\\\", "\x01\x01"}, {"\\\"", "\\''"}, {"\x01\x01", "\\\\"}}, {.caseSensitive = true});
    prepared = spaceBefore_.Replace(prepared, "$1");
    prepared = spaceAfter_.Replace(prepared, "$1");
    real_ = prepared;
    structural_ = prepared;
    bool inside = false;
    for (char& c : structural_) {
      if (c == '"') {
        inside = !inside;
      } else if (inside) {
        c = ' ';
      }
    }
  }

  // 0-based position of the first `token` behind `from`, or npos.
  std::size_t Next(std::string_view token, std::size_t from) const {
    const std::size_t found = FindForward(structural_, token, static_cast<long long>(from) + 2, false);
    return found == 0 ? std::string::npos : found - 1;
  }

  bool Balanced(std::size_t a, std::size_t b) const {
    long long braces = 0, brackets = 0, quotes = 0;
    for (std::size_t i = a + 1; i < b; i += GbkCharLength(structural_, i)) {
      const char c = structural_[i];
      braces += c == '{' ? 1 : c == '}' ? -1 : 0;
      brackets += c == '[' ? 1 : c == ']' ? -1 : 0;
      quotes += c == '"';
    }
    return braces == 0 && brackets == 0 && quotes % 2 == 0;
  }

  Pairs SplitObject(std::size_t start) const {
    Pairs pairs;
    std::size_t current = start;
    for (;;) {
      if (structural_[current] != '{' && structural_[current] != ',') {
        current = Next("{", current);
        if (current == std::string::npos) break;
      }
      const std::size_t colon = Next(":", current);
      if (colon == std::string::npos) break;
      const std::string key = strip_.Replace(real_.substr(current + 1, colon - current - 1), "");
      std::size_t end = std::string::npos;
      for (std::size_t search = colon;;) {
        const std::size_t comma = Next(",", search);
        const std::size_t close = Next("}", search);
        const std::size_t hit = std::min(comma, close);
        if (hit == std::string::npos) break;
        if (Balanced(colon, hit)) {
          end = hit;
          break;
        }
        search = hit;
      }
      if (end == std::string::npos) break;
      pairs.emplace_back(key, trim_.Replace(real_.substr(colon + 1, end - colon - 1), ""));
      current = end;
    }
    return pairs;
  }

  std::vector<std::string> SplitArray(std::size_t start) const {
    std::vector<std::string> elements;
    std::size_t current = start;
    for (;;) {
      std::size_t end = std::string::npos;
      for (std::size_t search = current;;) {
        std::size_t hit = Next(",", search);
        if (hit == std::string::npos) hit = Next("]", search);
        if (hit == std::string::npos) break;
        if (Balanced(current, hit)) {
          end = hit;
          break;
        }
        search = hit;
      }
      if (end == std::string::npos) break;
      elements.push_back(trim_.Replace(real_.substr(current + 1, end - current - 1), ""));
      current = end;
    }
    if (elements.size() == 1 && elements[0].empty()) elements.clear();
    return elements;
  }

  static int KindOf(const std::string& value) {
    if (!value.empty() && value[0] == '[') return 2;
    if (!value.empty() && value[0] == '{') return 1;
    return 0;
  }

  int Insert(int parent, const std::string& name, int kind, const std::string& value) {
    ModelNode node{name, kind, value, 1, 0, 1};
    if (parent > 0) {
      ModelNode& owner = nodes_[static_cast<std::size_t>(parent) - 1];
      node.depth = owner.depth + 1;
      node.ordinal = ++owner.childCount;
    }
    nodes_.push_back(node);  // depth-first insertion keeps document order
    return static_cast<int>(nodes_.size());
  }

  void AddValue(int parent, const std::string& name, const std::string& value) {
    const int kind = KindOf(value);
    if (kind == 0) {
      Insert(parent, name, 0, value);
      return;
    }
    Prepare(value);
    if (kind == 1) {
      const Pairs pairs = SplitObject(Next("{", static_cast<std::size_t>(-1)));
      AddMembers(pairs, Insert(parent, name, 1, value));
    } else {
      const std::vector<std::string> elements = SplitArray(Next("[", static_cast<std::size_t>(-1)));
      AddElements(elements, Insert(parent, name, 2, value));
    }
  }

  void AddMembers(const Pairs& pairs, int parent) {
    for (const auto& [key, value] : pairs) AddValue(parent, key, value);
  }

  void AddElements(const std::vector<std::string>& elements, int parent) {
    for (std::size_t n = 1; n <= elements.size(); ++n) {
      AddValue(parent, "[" + std::to_string(static_cast<long long>(n) - zeroBased_) + "]", elements[n - 1]);
    }
  }

  RegexEngine strip_, spaceBefore_, spaceAfter_, trim_;
  std::string real_, structural_;
  std::vector<ModelNode> nodes_;
  bool zeroBased_ = false;
  bool ready_ = false;
};

// Well-formed JSON with blanks of every kind between and inside tokens.
class DocumentGenerator {
 public:
  explicit DocumentGenerator(std::uint32_t seed) : state_(seed) {}

  std::string Document() {
    return Blank() + (Pick(2) == 0 ? Object(0) : Array(0)) + Blank();
  }

 private:
  std::uint32_t Pick(std::uint32_t n) {
    state_ = state_ * 1103515245u + 12345u;
    return (state_ >> 8) % n;
  }

  std::string Blank() {
    static const char* const kBlanks[] = {"", "", "", " ", "  ", "\n", "\r\n", "\t", "\n    ", " \n\t ", "\xA1\xA1",
                                          "\v", "  \n"};
    return kBlanks[Pick(sizeof kBlanks / sizeof *kBlanks)];
  }

  std::string String() {
    // Chinese characters whose trail bytes are "\\", "{", "}", "[" and "]".
    static const char* const kPieces[] = {"a", "Bc", "7", " ", "  ", "\t", "{", "}", "[", "]", ",", ":", ".", "'",
                                          "\\\"", "\\\\", "\\/", "\\n", "\\u4e2d", "\xD6\xD0", "\x81\x5C", "\x81\x7B",
                                          "\x81\x7D", "\x81\x5B", "\x81\x5D", "\xA1\xA1", "{x}", " [", "] ", "\n"};
    std::string body;
    for (std::uint32_t n = Pick(6); n > 0; --n) {
      std::string piece = kPieces[Pick(sizeof kPieces / sizeof *kPieces)];
      // No backslash followed by an apostrophe (see the top of the file).
      if (piece == "'" && !body.empty() && body.back() == '\\') continue;
      body += piece;
    }
    return "\"" + body + "\"";
  }

  std::string Scalar() {
    static const char* const kScalars[] = {"0", "-12.5e3", "200", "true", "false", "null", "1019"};
    return Pick(2) == 0 ? String() : kScalars[Pick(sizeof kScalars / sizeof *kScalars)];
  }

  std::string Value(int depth) {
    const std::uint32_t choice = depth >= 4 ? 0 : Pick(5);
    if (choice == 3) return Object(depth + 1);
    if (choice == 4) return Array(depth + 1);
    return Scalar();
  }

  std::string Object(int depth) {
    std::string out = "{";
    const std::uint32_t members = Pick(5);
    if (members == 0) return out + Blank() + "}";
    for (std::uint32_t i = 0; i < members; ++i) {
      if (i > 0) out += ",";
      out += Blank() + String() + Blank() + ":" + Blank() + Value(depth) + Blank();
    }
    return out + "}";
  }

  std::string Array(int depth) {
    std::string out = "[";
    const std::uint32_t elements = Pick(5);
    if (elements == 0) {
      static const char* const kInside[] = {"", " ", "\t", "\xA1\xA1"};
      return out + kInside[Pick(4)] + "]";
    }
    for (std::uint32_t i = 0; i < elements; ++i) {
      if (i > 0) out += ",";
      out += Blank() + Value(depth) + Blank();
    }
    return out + "]";
  }

  std::uint32_t state_;
};

void ExpectSameTable(const std::string& text, bool zeroBased, SplitModel& model) {
  JsonDocument document;
  document.Parse(text, zeroBased);
  const std::vector<ModelNode> expected = model.Parse(text, zeroBased);
  const JsonNodeTable table = document.CopyNodeTable();
  ASSERT_EQ(table.Count(), static_cast<int>(expected.size()));
  for (int at = 1; at <= table.Count(); ++at) {
    const ModelNode& want = expected[static_cast<std::size_t>(at) - 1];
    SCOPED_TRACE("node " + std::to_string(at) + " " + want.name);
    EXPECT_EQ(table.Name(at), SplitModel::Restored(want.name));
    EXPECT_EQ(static_cast<int>(table.Kind(at)), want.kind);
    EXPECT_EQ(table.Depth(at), want.depth);
    EXPECT_EQ(table.ChildCount(at), want.childCount);
    EXPECT_EQ(table.Ordinal(at), want.ordinal);
    if (at > 1) {
      EXPECT_EQ(table.Value(at), SplitModel::Restored(want.value));
      EXPECT_EQ(JsonDocument::ValueText(table.Value(at)), model.ValueText(want.value));
    }
  }
}

TEST(JsonModel, GeneratedDocumentsGiveTheSameTable) {
  SplitModel model;
  ASSERT_TRUE(model.Ready());
  DocumentGenerator generator(20261211);
  for (int round = 0; round < 300; ++round) {
    const std::string text = generator.Document();
    SCOPED_TRACE("document: " + text);
    ExpectSameTable(text, round % 5 == 0, model);
    if (HasFatalFailure() || HasNonfatalFailure()) return;  // one broken document is enough to read
  }
}

// The hand-written text rules against the regular expressions they replace,
// on short random texts over the characters that matter to them.
TEST(JsonModel, TextRulesAgreeWithTheirPatterns) {
  RegexEngine strip, spaceBefore, spaceAfter, trim;
  ASSERT_TRUE(strip.Create(Gbk(u8"[\\s　]+\"|\"[\\s　]+|^[ 　\"\\t]+|[ 　\"\\t]+$")));
  ASSERT_TRUE(spaceBefore.Create(Gbk(u8"[\\s　]+(\\[|\\{|\")")));
  ASSERT_TRUE(spaceAfter.Create(Gbk(u8"(\\]|\\}|\")[\\s　]+")));
  ASSERT_TRUE(trim.Create(Gbk(u8"^[ 　\\t]+|[ 　\\t]+$")));
  const auto escapeQuotes = [](const std::string& text) {
    return ReplacePairs(text, {{"\\\\", "\x01\x01"}, {"\\\"", "\\''"}, {"\x01\x01", "\\\\"}}, {.caseSensitive = true});
  };
  static const char* const kAlphabet[] = {" ", "\t", "\n", "\r", "\v", "\xA1\xA1", "\"", "a", "\\", "{", "[",
                                          "]", "}", "'", "\xD6\xD0", ","};
  std::uint32_t state = 7;
  const auto pick = [&state](std::uint32_t n) {
    state = state * 1103515245u + 12345u;
    return (state >> 8) % n;
  };
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    for (std::uint32_t n = pick(12); n > 0; --n) text += kAlphabet[pick(sizeof kAlphabet / sizeof *kAlphabet)];
    SCOPED_TRACE("text: " + text);
    EXPECT_EQ(TrimJsonLines(text), trim.Replace(text, ""));
    EXPECT_EQ(StripJsonQuotes(text, false), strip.Replace(text, ""));
    // With escapes the rules stand "\\''" in for an escaped quote, so texts
    // with apostrophes cannot be compared.
    if (text.find('\'') != std::string::npos) continue;
    EXPECT_EQ(StripJsonQuotes(text, true), SplitModel::Restored(strip.Replace(escapeQuotes(text), "")));
    // The compaction keeps the blanks between a lone backslash and a quote.
    bool blankBehindBackslash = false;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
      blankBehindBackslash = blankBehindBackslash || (text[i] == '\\' && JsonBlankLength(text, i + 1) != 0);
    }
    if (blankBehindBackslash) continue;
    EXPECT_EQ(CompactJsonBlanks(text),
              SplitModel::Restored(spaceAfter.Replace(spaceBefore.Replace(escapeQuotes(text), "$1"), "$1")));
    if (HasNonfatalFailure()) return;
  }
}

TEST(JsonModel, HandWrittenShapesGiveTheSameTable) {
  SplitModel model;
  ASSERT_TRUE(model.Ready());
  const std::string cases[] = {
      "{\"code\":200,\"msg\":\"ok\",\"data\":\"x\"}",
      "{\n  \"code\": 200,\n  \"data\": {\n    \"winvernum\": \"1.0.2\",\n    \"n\": 7\n  }\n}",
      "[\n  1,\n  2\n]",
      "{\"a\": [ 1 , [2, {\"b\" : \" x \"}] ] , \"c\" :null }",
      "  prefix {\"a\":1}",
      "{\"a\":1}{\"b\":2}",
      "{\"a\":1} tail",
      "{a:1, b : \"two\"}",
      "{\"a\":1,\"b\":2",
      "{\"a\":1,\"b\":{\"c\":2",
      "[1,[2,3",
      "{\"s\":\"say \\\"hi\\\" now\"}",
      "{\"s\":\"a\\\\\",\"t\":\"b\"}",
      "{\"e\":[],\"f\":[ ],\"g\":[,]}",
      "{\"k\":\"\",\"\":\"v\"}",
      "no brackets at all",
      "",
  };
  for (const std::string& text : cases) {
    SCOPED_TRACE("document: " + text);
    ExpectSameTable(text, false, model);
  }
}

}  // namespace
}  // namespace orvanta
