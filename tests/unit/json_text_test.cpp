#include "json_text.h"

#include <gtest/gtest.h>

namespace orvanta {
namespace {

// GBK bytes written out. These characters have trail bytes that are
// structure in ASCII.
const std::string kTrailBackslash = "\x81\x5C";  // 乗
const std::string kTrailClose = "\x81\x5D";      // 乚: trail byte ']'
const std::string kIdeographic = "\xA1\xA1";     // U+3000

TEST(JsonCharLength, PairsOnlyALeadWithARealTrailByte) {
  const struct {
    std::string text;
    std::size_t expected;
  } cases[] = {
      {"\x81\x40", 2}, {"\xFE\xFE", 2}, {kTrailBackslash, 2},
      {"\x81\"", 1},    // a quote cannot be a trail byte: the quote stays structure
      {"\x81,", 1},     {"\x81", 1},  // cut off at the end
      {"\x81\x7F", 1},  {"\x80\x41", 1}, {"\xFF\x41", 1}, {"a\x81", 1},
  };
  for (const auto& c : cases) EXPECT_EQ(JsonCharLength(c.text, 0), c.expected) << c.text;
}

struct TextCase {
  const char* name;
  std::string text;
  std::string expected;
};

TEST(CompactJsonBlanks, RemovesBlanksNextToBracketsAndQuotes) {
  const TextCase cases[] = {
      {"around structure", "{ \"a\" : [ 1 , 2 ] }", "{\"a\":[ 1 , 2 ]}"},
      {"inside strings too", "\"  Hello {name} \"", "\"Hello{name}\""},
      {"line breaks next to quotes", "\"a\"\r\n,\n  \"b\"", "\"a\",\"b\""},
      {"blanks after '[' and before ']' stay", "[ 1 ]", "[ 1 ]"},
      {"leading and trailing blanks of a document", " \n{}\n ", "{}"},
      {"ideographic space", "{" + kIdeographic + "\"a\":1}", "{\"a\":1}"},
      {"escaped quotes are no quotes", "\"a \\\"b\\\" c\"", "\"a \\\"b\\\" c\""},
      {"a quote behind an escaped backslash is one", "\"a\\\\\" , \"b\"", "\"a\\\\\",\"b\""},
      {"no lone backslash moved next to a quote", "\"x\\ \"", "\"x\\ \""},
      {"a paired backslash may meet the quote", "\"x\\\\ \"", "\"x\\\\\""},
      {"trail byte ']' is no bracket", "\"" + kTrailClose + " x\"", "\"" + kTrailClose + " x\""},
      {"trail byte '\\' does not escape the quote", "\"" + kTrailBackslash + "\" , 1", "\"" + kTrailBackslash + "\", 1"},
      {"empty", "", ""},
  };
  for (const TextCase& c : cases) EXPECT_EQ(CompactJsonBlanks(c.text), c.expected) << c.name;
}

TEST(TrimJsonLines, TrimsEveryLineAndKeepsLineBreaks) {
  const TextCase cases[] = {
      {"one line", "  a b  ", "a b"},
      {"every line", " a \n  b\t\r\n c ", "a\nb\r\nc"},
      {"a number before a line break", "200\n", "200\n"},
      {"blank lines", " \n \n", "\n\n"},
      {"ideographic spaces", kIdeographic + "a" + kIdeographic, "a"},
      {"vertical tab and form feed are not trimmed", " a \v", "a \v"},
      {"a lone lead byte before a blank", "\x81 ", "\x81"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(TrimJsonLines(c.text), c.expected) << c.name;
}

TEST(StripJsonQuotes, RemovesQuotesAndBlanksAroundValues) {
  const TextCase cases[] = {
      {"a string", "\"abc\"", "abc"},
      {"the empty string", "\"\"", ""},
      {"a number", "200", "200"},
      {"escaped quotes at both ends stay", "\"\\\"x\\\"\"", "\\\"x\\\""},
      {"a quote behind an escaped backslash goes", "\"a\\\\\"", "a\\\\"},
      {"blanks around", "  \"a\"  ", "a"},
      {"a blank with the quote behind it", "x \"y\"", "xy"},
      {"every line's edges", "  a \n\t b  ", "a\nb"},
      {"a quote with the line break behind it", "\"a\"\n\"b\"", "ab"},
      {"an unquoted key with tabs", "\t key\t", "key"},
      {"backslash-apostrophes are ordinary", "\"a\\\\''\"", "a\\\\''"},
      {"an object stays", "{\"a\":\"b\"}", "{\"a\":\"b\"}"},
      {"ideographic space inside quotes", "\"" + kIdeographic + "a\"", "a"},
      {"a quote behind a trail byte '\\'", "\"" + kTrailBackslash + "\"", kTrailBackslash},
  };
  for (const TextCase& c : cases) EXPECT_EQ(StripJsonQuotes(c.text, true), c.expected) << c.name;
}

TEST(StripJsonQuotes, PathSegmentsHaveNoEscapes) {
  EXPECT_EQ(StripJsonQuotes("\"a\\\"", false), "a\\");
  EXPECT_EQ(StripJsonQuotes("\"a\\\"", true), "a\\\"");
  EXPECT_EQ(StripJsonQuotes(" \"b.c\" ", false), "b.c");
}

TEST(JsonTextRules, LongRunsStayLinear) {
  // A quadratic rescan of these runs would take minutes under the sanitizers.
  const std::string blanks(1 << 20, ' ');
  EXPECT_EQ(StripJsonQuotes("a" + blanks + "b", true), "a" + blanks + "b");
  EXPECT_EQ(TrimJsonLines("a" + blanks + "b"), "a" + blanks + "b");
  EXPECT_EQ(CompactJsonBlanks("a" + blanks + "["), "a[");
  const std::string quotes(1 << 20, '"');
  EXPECT_EQ(StripJsonQuotes("a" + quotes + "b", false), "a" + quotes + "b");
  EXPECT_EQ(StripJsonQuotes("a" + quotes, false), "a");
}

}  // namespace
}  // namespace orvanta
