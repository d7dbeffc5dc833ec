#include "gbk_text.h"

#include <gtest/gtest.h>

namespace orvanta {
namespace {

// GBK bytes written out, so the tests do not depend on the conversions.
const std::string kZhong = "\xD6\xD0";     // 中
const std::string kTrailA = "\x81\x41";    // 丂: its trail byte is the letter 'A'
const std::string kTrailAt = "\x81\x40";   // 丂's neighbour: its trail byte is '@'

struct CutCase {
  const char* name;
  std::string text;
  std::string delimiter;
  long long start;
  bool ignoreCase;
  std::string before;
  std::string after;
};

TEST(TextCut, BeforeAndAfterFollowTheStartRules) {
  const CutCase cases[] = {
      {"no start: first for Before, last for After", "a:@|b:@|c", ":@|", 0, false, "a", "c"},
      {"not found", "abc", ":@|", 0, false, "", ""},
      {"empty delimiter", "abc", "", 0, false, "", ""},
      {"empty text", "", ",", 0, false, "", ""},
      {"delimiter at the front", ":@|rest", ":@|", 0, false, "", "rest"},
      {"delimiter at the end", "rest:@|", ":@|", 0, false, "rest", ""},
      {"positive start: Before searches forward from it", "a,b,c", ",", 3, false, "a,b", "b,c"},
      {"start on the delimiter", "a,b,c", ",", 2, false, "a", "b,c"},
      {"start behind every delimiter", "a,b,c", ",", 5, false, "", ""},
      {"After: the last delimiter followed by at least 1 byte", "a,b,c", ",", 1, false, "a", "c"},
      {"After: at least 2 bytes skips the last delimiter", "a,b,c", ",", 2, false, "a", "b,c"},
      {"-1: Before takes the last, After the first", "a,b,c", ",", -1, false, "a,b", "b,c"},
      {"-2: Before stops one byte early", "a,b,", ",", -2, false, "a", "b,"},
      {"-n: Before below length-n+1, After forward from n", "a,b,c", ",", -3, false, "a", "c"},
      {"start far out of range", "a,b", ",", 1000, false, "", ""},
      {"very negative start", "a,b", ",", -1000, false, "", ""},
      {"case-insensitive letters", "keyXvalue", "x", 0, true, "key", "value"},
      {"case-sensitive by default", "keyXvalue", "x", 0, false, "", ""},
      {"Chinese delimiter", "a" + kZhong + "b", kZhong, 0, false, "a", "b"},
      {"no match on a trail byte", kTrailA + "xA", "A", 0, false, kTrailA + "x", ""},
      {"no folded match on a trail byte", kTrailA + "xa", "A", 0, true, kTrailA + "x", ""},
      {"separator starting on a trail byte", kTrailAt + "|x", "@|", 0, false, "", ""},
      {"lone lead byte at the end", "a,\x81", ",", 0, false, "a", "\x81"},
  };
  for (const CutCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TextBefore(c.text, c.delimiter, c.start, c.ignoreCase), c.before);
    EXPECT_EQ(TextAfter(c.text, c.delimiter, c.start, c.ignoreCase), c.after);
  }
}

TEST(TextSearch, PositionsCountBytesFromOne) {
  const std::string text = kZhong + "ab" + kZhong + "ab";  // 中ab中ab
  EXPECT_EQ(FindForward(text, "ab", 1, false), 3u);
  EXPECT_EQ(FindForward(text, "ab", 4, false), 7u);
  EXPECT_EQ(FindForward(text, kZhong, 2, false), 5u);  // byte 2 is inside 中
  EXPECT_EQ(FindBackward(text, "ab", 9, false), 7u);   // wholly within bytes 1..8
  EXPECT_EQ(FindBackward(text, "ab", 8, false), 3u);   // 7..8 does not fit below 8
  EXPECT_EQ(FindBackward(text, "ab", 4, false), 0u);
  EXPECT_EQ(FindForward(text, "AB", 1, true), 3u);
  EXPECT_EQ(FindForward(text, "abc", 1, false), 0u);
}

TEST(TextSearch, NeverSplitsADoubleByteCharacter) {
  // A needle that ends with a lead byte must not match the front half of 中.
  EXPECT_EQ(FindForward("a" + kZhong, "a\xD6", 1, false), 0u);
  // The byte pair "\xD0\xD6" spans the end of one 中 and the start of the next.
  EXPECT_EQ(FindForward(kZhong + kZhong, "\xD0\xD6", 1, false), 0u);
}

struct ReplaceCase {
  const char* name;
  std::string text;
  std::initializer_list<ReplacePair> pairs;
  ReplaceOptions options;
  std::string expected;
};

TEST(ReplacePairs, AppliesPairsInOrderWithOptions) {
  const ReplaceCase cases[] = {
      {"every occurrence, ignoring case", "aXbxc", {{"x", "-"}}, {}, "a-b-c"},
      {"case-sensitive", "aXbxc", {{"x", "-"}}, {.caseSensitive = true}, "aXb-c"},
      {"count limits each pair", "x x x", {{"x", "y"}}, {.count = 2}, "y y x"},
      {"count 0 replaces nothing", "x x", {{"x", "y"}}, {.count = 0}, "x x"},
      {"bytes in front of start stay", "x x x", {{"x", "y"}}, {.start = 2}, "x y y"},
      {"start 0 means 1", "x", {{"x", "y"}}, {.start = 0}, "y"},
      {"start behind the end", "x", {{"x", "y"}}, {.start = 2}, "x"},
      {"empty search", "abc", {{"", "y"}}, {}, "abc"},
      {"empty text", "", {{"a", "b"}}, {}, ""},
      {"replacement not rescanned by its pair", "aa", {{"a", "aa"}}, {}, "aaaa"},
      {"later pairs see earlier replacements", "a", {{"a", "b"}, {"b", "c"}}, {}, "c"},
      {"escaping a text for a quoted string", "a\\\"b\r\nc",
       {{"\\", "\\\\"}, {"\"", "\\\""}, {"\r\n", ""}}, {}, "a\\\\\\\"bc"},
      {"lone CR and LF stay", "a\rb\nc", {{"\r\n", ""}}, {}, "a\rb\nc"},
      {"placeholder template", "{\"domainid\":\"@domainid@\"}", {{"@domainid@", "1001"}}, {},
       "{\"domainid\":\"1001\"}"},
      {"no match on a trail byte", kTrailA + "A", {{"a", "b"}}, {}, kTrailA + "b"},
      {"Chinese search and replacement", kZhong + "x" + kZhong, {{kZhong, "z"}}, {}, "zxz"},
      {"empty replacement removes", "a--b", {{"-", ""}}, {}, "ab"},
      {"five pairs", "abcde", {{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}, {"e", "5"}}, {}, "12345"},
  };
  for (const ReplaceCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ReplacePairs(c.text, c.pairs, c.options), c.expected);
  }
}

}  // namespace
}  // namespace orvanta
