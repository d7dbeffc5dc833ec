#include "http_cookies.h"

#include <gtest/gtest.h>

#include "codepage.h"

namespace orvanta {
namespace {

TEST(MergeCookies, NewItemsFirstThenOldOnesNotSetAgain) {
  const struct {
    const char* name;
    std::string oldCookies, newCookies, merged;
  } cases[] = {
      {"a deleted cookie goes, an untouched one stays", "a=1; c=3", "a=deleted; b=2", "b=2; c=3"},
      {"a new value replaces the old one", "a=1; b=2", "a=9", "a=9; b=2"},
      {"nothing new", "a=1; b=2", "", "a=1; b=2"},
      {"nothing old", "", "a=1", "a=1"},
      {"nothing at all", "", "", ""},
      {"spaces and a final semicolon", "  a=1; ", "b=2;", "b=2; a=1"},
      {"repeated items are dropped", "a=1", "b=2; b=2", "b=2; a=1"},
      {"names are trimmed", "a =1", "a=2", "a=2"},
      {"an item without a value is its own name", "flag; a=1", "a=2; flag", "a=2; flag"},
      {"an old deleted item is dropped too", "x=deleted; y=1", "", "y=1"},
      {"names compare exactly", "A=1", "a=2", "a=2; A=1"},
      {"a value with an equals sign", "t=a=b", "u=1", "u=1; t=a=b"},
      {"Chinese values", "n=" + Gbk(u8"中文"), "m=1", "m=1; n=" + Gbk(u8"中文")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(MergeCookies(c.oldCookies, c.newCookies), c.merged);
  }
}

TEST(RemoveDuplicates, KeepsTheFirstOfEachItem) {
  const struct {
    std::string text, separator, expected;
  } cases[] = {
      {"a,b,a,c,b", ",", "a,b,c"},
      {"a; b; a", "; ", "a; b"},
      {"a,,b,,", ",", "a,,b"},
      {"ab", ",", "ab"},
      {"", ",", ""},
      {"a" + Gbk(u8"、") + "b" + Gbk(u8"、") + "a", Gbk(u8"、"), "a" + Gbk(u8"、") + "b"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(RemoveDuplicates(c.text, c.separator), c.expected);
  }
}

TEST(RemoveDuplicates, NoSeparatorInsideADoubleByteCharacter) {
  // 丂 is 0x81 0x40: its trail byte is "@", which must not split the text.
  // Split at every "@" byte, "b@\x81@b" would hold "b" twice.
  EXPECT_EQ(RemoveDuplicates("b@\x81@b", "@"), "b@\x81@b");
  EXPECT_EQ(RemoveDuplicates("b@c@b", "@"), "b@c");
}

}  // namespace
}  // namespace orvanta
