#include "codepage.h"

#include <gtest/gtest.h>

namespace orvanta {
namespace {

struct PairCase {
  const char* name;
  std::string gbk;
  std::string utf8;
};

TEST(Codepage, KnownCharactersConvertBothWays) {
  const PairCase cases[] = {
      {"ASCII", "plain text 123", "plain text 123"},
      {"Chinese", "\xD6\xD0\xCE\xC4", "\xE4\xB8\xAD\xE6\x96\x87"},              // 中文
      {"full-width punctuation", "\xA3\xAC\xA1\xA3", "\xEF\xBC\x8C\xE3\x80\x82"},  // ，。
      {"mixed", "a\xD6\xD0" "b", "a\xE4\xB8\xAD" "b"},
      {"euro sign at 0x80", "\x80", "\xE2\x82\xAC"},
      {"empty", "", ""},
  };
  for (const PairCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(GbkToUtf8(c.gbk), c.utf8);
    EXPECT_EQ(Utf8ToGbk(c.utf8), c.gbk);
  }
}

TEST(Codepage, CharactersGbkCannotHoldBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToGbk("a\xED\x95\x9C" "b"), "a?b");   // a Hangul syllable
  EXPECT_EQ(Utf16ToGbk(u"\uD55C\uD55C"), "??");
  EXPECT_EQ(Utf8ToGbk("\xF0\x9F\x98\x80"), "??");      // beyond the BMP: one per UTF-16 unit
}

TEST(Codepage, InvalidGbkBecomesQuestionMarkAndKeepsFollowingAscii) {
  EXPECT_EQ(GbkToUtf16("a\x81"), u"a?");            // lead byte at the end
  EXPECT_EQ(GbkToUtf16("\x81\n\"x"), u"?\n\"x");     // lead byte before a line break
  EXPECT_EQ(GbkToUtf16("\xFF"), u"?");
}

TEST(Codepage, StrictUtf8Validation) {
  const struct {
    const char* name;
    std::string bytes;
    bool valid;
  } cases[] = {
      {"ASCII", "abc", true},
      {"Chinese", "\xE4\xB8\xAD", true},
      {"four bytes", "\xF0\x9F\x98\x80", true},
      {"highest code point", "\xF4\x8F\xBF\xBF", true},
      {"overlong slash", "\xC0\xAF", false},
      {"overlong three bytes", "\xE0\x80\xAF", false},
      {"surrogate", "\xED\xA0\x80", false},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", false},
      {"truncated", "\xE4\xB8", false},
      {"lone continuation", "\x80", false},
      {"bad continuation", "\xE4\x28\xAD", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(IsValidUtf8(c.bytes), c.valid);
    if (!c.valid) {
      EXPECT_EQ(Utf8ToGbk(c.bytes), "");
    }
  }
}

TEST(Codepage, Utf16RoundTripKeepsSurrogatePairs) {
  std::u16string utf16;
  ASSERT_TRUE(Utf8ToUtf16("a\xF0\x9F\x98\x80\xE4\xB8\xAD", utf16));
  EXPECT_EQ(utf16, u"a\U0001F600\u4E2D");
  EXPECT_EQ(Utf16ToUtf8(utf16), "a\xF0\x9F\x98\x80\xE4\xB8\xAD");
  EXPECT_EQ(Utf16ToUtf8(u"\xD800x"), "?x");  // a lone surrogate
}

TEST(Codepage, SourceLiteralsBecomeGbk) { EXPECT_EQ(Gbk(u8"中文"), "\xD6\xD0\xCE\xC4"); }

}  // namespace
}  // namespace orvanta
