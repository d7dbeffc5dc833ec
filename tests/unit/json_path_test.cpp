#include "json_path.h"

#include <gtest/gtest.h>

namespace orvanta {
namespace {

TEST(JsonPath, SplitsAtDotsOutsideQuotes) {
  const struct {
    std::string path;
    std::vector<std::string> segments;
  } cases[] = {
      {"code", {"code"}},
      {"data.winvernum", {"data", "winvernum"}},
      {"a.\"b.c\".d", {"a", "b.c", "d"}},
      {"a.''b.c''.d", {"a", "b.c", "d"}},
      {"list.[2].a", {"list", "[2]", "a"}},
      {" a . \"b\" ", {"a", "b"}},  // quotes and blanks around segments go
      {"a.\"b.c", {"a", "b.c"}},    // an unclosed quote runs to the end
      {".", {"", ""}},
      {"a..b", {"a", "", "b"}},
      {"\x81\x5C.x", {"\x81\x5C", "x"}},  // 乗: a trail byte that is a backslash
  };
  for (const auto& c : cases) EXPECT_EQ(SplitJsonPath(c.path), c.segments) << c.path;
}

TEST(JsonPath, SeparatesIndexSegments) {
  const struct {
    std::string path;
    std::string expected;
  } cases[] = {
      {"list[0].name", "list.[0].name"},
      {"list.[0].name", "list.[0].name"},
      {"[0].a", "[0].a"},
      {"grid[1][2]", "grid.[1].[2]"},
      {"a[1]b", "a.[1]b"},
      {"a[x]", "a[x]"},
      {"a[]", "a[]"},
      {"a[12", "a[12"},
      {"\x81[1]", "\x81[1]"},  // 乕 81 5B: that "[" is a trail byte
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(SeparateIndexSegments(c.path), c.expected) << c.path;
}

TEST(JsonPath, JoinQuotesNamesWithDots) {
  EXPECT_EQ(JoinJsonPath({}), "");
  EXPECT_EQ(JoinJsonPath({"D", "BossId"}), "D.BossId");
  EXPECT_EQ(JoinJsonPath({"a.b", "[2]"}), "\"a.b\".[2]");
  EXPECT_EQ(JoinJsonPath({"", "x"}), ".x");
  for (const std::vector<std::string>& names :
       {std::vector<std::string>{"a.b", "c"}, {"x", "[1]", "y.z.w"}, {"", ""}}) {
    EXPECT_EQ(SplitJsonPath(JoinJsonPath(names)), names);
  }
}

}  // namespace
}  // namespace orvanta
