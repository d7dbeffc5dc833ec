#include "regex_engine.h"

#include <gtest/gtest.h>

#include "codepage.h"

namespace orvanta {
namespace {

TEST(RegexEngine, DefaultsIgnoreCaseMultiLineAndGlobal) {
  RegexEngine engine;
  ASSERT_TRUE(engine.Create("^ab$"));
  EXPECT_EQ(engine.Execute("AB\nab\nxab"), 2);
  EXPECT_EQ(engine.MatchText(1), "AB");
  EXPECT_EQ(engine.MatchText(2), "ab");
  EXPECT_EQ(engine.Replace("ab\nAb\ncd", "x"), "x\nx\ncd");
  EXPECT_EQ(engine.GetPattern(), "^ab$");
}

TEST(RegexEngine, FlagsCanBeTurnedOff) {
  RegexEngine engine;
  ASSERT_TRUE(engine.Create("^ab", false, false, false));
  EXPECT_EQ(engine.Execute("ab\nab"), 1);
  EXPECT_EQ(engine.Execute("AB"), 0);
  EXPECT_EQ(engine.Replace("ab ab", "x"), "x ab");
  ASSERT_TRUE(engine.Create("ab", true, true, false));
  EXPECT_EQ(engine.Replace("ab ab", "x"), "x ab");
}

TEST(RegexEngine, GroupsAndReplacementReferences) {
  RegexEngine engine;
  ASSERT_TRUE(engine.Create("(\\w+)=(\\d+)"));
  EXPECT_EQ(engine.Execute("a=1, bb=22"), 2);
  EXPECT_EQ(engine.SubMatchCount(), 2);
  EXPECT_EQ(engine.SubMatchText(2, 1), "bb");
  EXPECT_EQ(engine.SubMatchText(2, 2), "22");
  EXPECT_EQ(engine.Replace("a=1, bb=22", "$2:$1"), "1:a, 22:bb");
}

TEST(RegexEngine, DotNeverMatchesALineBreak) {
  RegexEngine engine;
  ASSERT_TRUE(engine.Create("a.b"));
  EXPECT_EQ(engine.Execute("a\nb a\rb axb"), 1);
}

TEST(RegexEngine, BadPatternsAndIndicesReadAsEmpty) {
  RegexEngine engine;
  EXPECT_EQ(engine.GetPattern(), "");
  EXPECT_EQ(engine.Execute("text"), 0);
  EXPECT_FALSE(engine.Create("(unclosed"));
  EXPECT_EQ(engine.GetPattern(), "");
  EXPECT_EQ(engine.Replace("text", "x"), "");
  ASSERT_TRUE(engine.Create("(x)"));
  EXPECT_EQ(engine.Execute("x"), 1);
  long position = -7;
  EXPECT_EQ(engine.MatchText(0), "");
  EXPECT_EQ(engine.MatchText(2), "");
  EXPECT_EQ(engine.SubMatchText(1, 0), "");
  EXPECT_EQ(engine.SubMatchText(1, 2), "");
  EXPECT_EQ(engine.MatchTextAt(5, &position), "");
  EXPECT_EQ(position, -7);
}

TEST(RegexEngine, EscapeHelpers) {
  const std::string specials = "\\^$+.{}[]=()?*|\"-";
  EXPECT_EQ(RegexEngine::EscapeAll(specials), "\\\\\\^\\$\\+\\.\\{\\}\\[\\]\\=\\(\\)\\?\\*\\|\\\"-");
  EXPECT_EQ(RegexEngine::EscapeNoBar(specials), "\\\\\\^\\$\\+\\.\\{\\}\\[\\]\\=\\(\\)\\?\\*|\\\"-");
  EXPECT_EQ(RegexEngine::EscapeNoGroups(specials), "\\\\\\^\\$\\+\\.\\{\\}\\[\\]\\=()\\?\\*|\\\"-");
  EXPECT_EQ(RegexEngine::WildcardToPattern("name*.txt"), "name.*\\.txt");
  EXPECT_EQ(RegexEngine::WildcardToPattern("a-b?"), "a\\-b.?");
  // A trail byte of 0x5C ("\") inside a Chinese character is not a backslash.
  const std::string shi = "\x95\x5C";  // a GBK character whose trail byte is 0x5C
  EXPECT_EQ(RegexEngine::EscapeAll(shi), shi);

  RegexEngine engine;
  ASSERT_TRUE(engine.Create("^" + RegexEngine::WildcardToPattern("report?.txt") + "$"));
  EXPECT_EQ(engine.Execute("report.txt"), 1);  // "?" also matches no character
  EXPECT_EQ(engine.Execute("report7.txt"), 1);
  EXPECT_EQ(engine.Execute("report77.txt"), 0);
  EXPECT_EQ(engine.Execute("reportXtxt"), 0);
  ASSERT_TRUE(engine.Create(RegexEngine::EscapeAll("a+b (c)")));
  EXPECT_EQ(engine.Execute("x a+b (c) y"), 1);
}

TEST(RegexPositions, CharactersForTheEngineBytesForTheMatcher) {
  const std::string text = Gbk(u8"中文abc中X") + "key";
  RegexEngine engine;
  ASSERT_TRUE(engine.Create("(k)ey"));
  ASSERT_EQ(engine.Execute(text), 1);
  long position = -1;
  EXPECT_EQ(engine.MatchTextAt(1, &position), "key");
  EXPECT_EQ(position, 7);  // 中 文 a b c 中 X
  EXPECT_EQ(engine.SubMatchTextAt(1, 1, &position), "k");
  EXPECT_EQ(position, 7);

  RegexMatcher matcher;
  ASSERT_TRUE(matcher.Search("(k)ey", text));
  EXPECT_EQ(matcher.MatchText(1, &position), "key");
  EXPECT_EQ(position, 10);  // three double-byte characters in front
  EXPECT_EQ(matcher.SubMatchText(1, 1, &position), "k");
  EXPECT_EQ(position, 10);
}

TEST(RegexPositions, MatcherFindsTheMatchItselfNotAnEarlierEqualText) {
  const std::string text = Gbk(u8"中中中中") + "ab-ab";
  RegexMatcher matcher;
  ASSERT_TRUE(matcher.Search("-(ab)", text));
  long position = -1;
  EXPECT_EQ(matcher.SubMatchText(1, 1, &position), "ab");
  EXPECT_EQ(position, 11);
}

TEST(RegexMatcher, FindsTheMetaCharsetOnlyOnOneLine) {
  const std::string pattern = "<meta.+?charset=[^\\w]?([-\\w]+)";
  RegexMatcher matcher;
  ASSERT_TRUE(matcher.Search(pattern, "<head><META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">"));
  ASSERT_EQ(matcher.MatchCount(), 1);
  EXPECT_EQ(matcher.SubMatchText(1, 1), "UTF-8");
  ASSERT_TRUE(matcher.Search(pattern, "<head><meta http-equiv=\"Content-Type\"\ncontent=\"text/html; charset=big5\">"));
  EXPECT_EQ(matcher.MatchCount(), 0);
  ASSERT_TRUE(matcher.Search(pattern, "<head><meta charset=\"gbk\">", true));
  EXPECT_EQ(matcher.SubMatchText(1, 1), "gbk");
  ASSERT_TRUE(matcher.Search(pattern, "<head><META charset=\"gbk\">", true));
  EXPECT_EQ(matcher.MatchCount(), 0);
}

TEST(RegexMatcher, QuotePlaceholderAndReplace) {
  RegexMatcher matcher;
  ASSERT_TRUE(matcher.Search(Gbk(u8"value=#引号(\\w+)#引号"), "value=\"abc\"", false, true, true, true));
  EXPECT_EQ(matcher.GetPattern(), "value=\"(\\w+)\"");
  EXPECT_EQ(matcher.SubMatchText(1, 1), "abc");
  EXPECT_EQ(matcher.Replace("[$1]"), "[abc]");
  ASSERT_TRUE(matcher.Search(Gbk(u8"#引号"), Gbk(u8"#引号")));
  EXPECT_EQ(matcher.MatchCount(), 1);  // without the flag the placeholder is literal
}

TEST(RegexMatcher, RejectedPatternAndEmptyCollection) {
  RegexMatcher matcher;
  EXPECT_FALSE(matcher.Search("[", "text"));
  EXPECT_EQ(matcher.MatchCount(), 0);
  EXPECT_EQ(matcher.MatchText(1), "");
  EXPECT_EQ(matcher.SubMatchCount(), 0);
  EXPECT_TRUE(matcher.Search("zzz", "text"));
  EXPECT_EQ(matcher.MatchCount(), 0);
}

TEST(RegexEngine, ChineseCharactersAreSingleCharacters) {
  RegexEngine engine;
  ASSERT_TRUE(engine.Create("^.{2}$"));
  EXPECT_EQ(engine.Execute(Gbk(u8"中文")), 1);
  ASSERT_TRUE(engine.Create(Gbk(u8"客(.)")));
  ASSERT_EQ(engine.Execute(Gbk(u8"在线客服")), 1);
  EXPECT_EQ(engine.SubMatchText(1, 1), Gbk(u8"服"));
  EXPECT_EQ(engine.Replace(Gbk(u8"在线客服"), "[$1]"), Gbk(u8"在线[服]"));
}

}  // namespace
}  // namespace orvanta
