#include "json_parser.h"

#include <gtest/gtest.h>

#include "json_document.h"

namespace orvanta {
namespace {

// Every node below the root as "path=value as read", in document order.
std::string Outline(const JsonDocument& document) {
  std::string out;
  for (int at = 2; at <= document.Nodes().Count(); ++at) {
    if (!out.empty()) out += " | ";
    out += document.PathOf(at) + "=" + JsonDocument::ValueText(document.Nodes().Value(at));
  }
  return out;
}

TEST(JsonParser, BuildsTheFlatTableInDocumentOrder) {
  JsonDocument document;
  document.Parse("{\"a\":{\"x\":[1,{\"y\":null}],\"z\":\"s\"},\"b\":[],\"c\":true}");
  const struct {
    const char* name;
    JsonKind kind;
    int depth, childCount, ordinal, parent;
  } expected[] = {
      {"JSON", JsonKind::kObject, 1, 3, 1, 0}, {"a", JsonKind::kObject, 2, 2, 1, 1},
      {"x", JsonKind::kArray, 3, 2, 1, 2},     {"[1]", JsonKind::kScalar, 4, 0, 1, 3},
      {"[2]", JsonKind::kObject, 4, 1, 2, 3},  {"y", JsonKind::kScalar, 5, 0, 1, 5},
      {"z", JsonKind::kScalar, 3, 0, 2, 2},    {"b", JsonKind::kArray, 2, 0, 2, 1},
      {"c", JsonKind::kScalar, 2, 0, 3, 1},
  };
  const JsonNodeTable& nodes = document.Nodes();
  ASSERT_EQ(nodes.Count(), 9);
  for (int at = 1; at <= nodes.Count(); ++at) {
    const auto& want = expected[at - 1];
    SCOPED_TRACE(want.name);
    EXPECT_EQ(nodes.Name(at), want.name);
    EXPECT_EQ(nodes.Kind(at), want.kind);
    EXPECT_EQ(nodes.Depth(at), want.depth);
    EXPECT_EQ(nodes.ChildCount(at), want.childCount);
    EXPECT_EQ(nodes.Ordinal(at), want.ordinal);
    EXPECT_EQ(nodes.Parent(at), want.parent);
  }
  EXPECT_EQ(nodes.Value(3), "[1,{\"y\":null}]");
  EXPECT_EQ(nodes.SubtreeEnd(2), 8);
  EXPECT_EQ(nodes.Children(1), (std::vector<int>{2, 8, 9}));
}

TEST(JsonParser, ZeroBasedNamesStartAtZero) {
  JsonDocument document;
  document.Parse("[[\"a\",\"b\"]]", true);
  EXPECT_EQ(Outline(document), "[0]=[\"a\",\"b\"] | [0].[0]=a | [0].[1]=b");
  EXPECT_TRUE(document.Nodes().NameEquals(3, "[0]"));
  EXPECT_FALSE(document.Nodes().NameEquals(3, "[00]"));
  EXPECT_FALSE(document.Nodes().NameEquals(3, "[1]"));
}

struct OutlineCase {
  const char* name;
  std::string text;
  std::string outline;
};

TEST(JsonParser, ReadsMalformedTextsLeniently) {
  const OutlineCase cases[] = {
      {"unterminated: the open member goes with what is in it", "{\"a\":1,\"b\":{\"c\":2", "a=1"},
      {"unterminated array", "[1,[2,3", "[1]=1"},
      {"unterminated string", "{\"a\":1,\"b\":\"xyz}", "a=1"},
      {"no colon: that member is dropped", "{\"a\",\"b\":2,\"c\"}", "b=2"},
      {"further objects continue the top level", "{\"a\":1} x {\"b\":2} [3]", "a=1 | b=2"},
      {"nothing behind a top-level array", "[1,2] [3] {\"a\":4}", "[1]=1 | [2]=2"},
      {"closers behind the top level", "{\"a\":{\"b\":1}}}]}", "a={\"b\":1} | a.b=1"},
      {"junk behind a value is part of its text", "{\"a\":{\"b\":1}junk,\"c\":2}",
       "a={\"b\":1}junk | a.b=1 | c=2"},
      {"a mismatched bracket leaves the value without an end", "{\"a\":[1,2},\"b\":3}", ""},
      {"a stray closer", "{\"a\":]}", ""},
      {"an empty key", "{:1}", "=1"},
      {"a trailing comma in an object", "{\"a\":1,}", "a=1"},
      {"a trailing comma in an array", "[1,]", "[1]=1 | [2]="},
      {"only commas", "[,]", "[1]= | [2]="},
      {"an empty array with a line break", "[\n]", ""},
      {"an empty nested array with CR LF", "{\"e\":[\r\n  ]}", "e=[\r\n]"},
      {"two tokens in one value", "{\"a\":1 2,\"b\":\"x\" \"y\"}", "a=1 2 | b=x\"\"y"},
      {"a missing comma", "{\"a\":1\"b\":2}", "a=1\"b\":2"},
      {"escaped quotes outside strings are no quotes", "{\\\"a\\\":1}", "\\\"a\\\"=1"},
      {"a blank between a lone backslash and a quote", "{\"a\":\"x\\ \",\"b\":1}", "a=x\\ | b=1"},
      {"no brackets", "code=200", ""},
      {"empty text", "", ""},
      {"only a key", "{\"a\"}", ""},
  };
  for (const OutlineCase& c : cases) {
    JsonDocument document;
    document.Parse(c.text);
    EXPECT_EQ(Outline(document), c.outline) << c.name;
    EXPECT_EQ(document.Nodes().Name(1), "JSON") << c.name;
    EXPECT_EQ(document.Nodes().Value(1), c.text) << c.name;
  }
}

TEST(JsonParser, StructureIsFoundOnCharacterBoundaries) {
  // 乗 81 5C ends in a backslash, 亇 81 7D in "}", 乕 81 5B in "[".
  const std::string cases[][2] = {
      {"{\"k\":\"\x81\x5C\",\"n\":1}", "k=\x81\x5C | n=1"},
      {"{\"n\":\x81\x7D,\"m\":\x81\x5B}", "n=\x81\x7D | m=\x81\x5B"},
      {"{\"\x81\x5C\":1}", "\x81\x5C=1"},
      // A lead byte cut off in front of a quote does not swallow it.
      {"{\"a\":\"x\x81\",\"b\":2}", "a=x\x81 | b=2"},
      // 81 7B is 亄: that "{" is a trail byte, so the text has no bracket.
      {"\x81{\"a\":1}", ""},
  };
  for (const auto& c : cases) {
    JsonDocument document;
    document.Parse(c[0]);
    EXPECT_EQ(Outline(document), c[1]) << c[0];
  }
}

TEST(JsonParser, TheRootIsAnArrayOnlyWhenItsBracketComesFirst) {
  const struct {
    std::string text;
    JsonKind kind;
  } cases[] = {
      {"[{\"a\":1}]", JsonKind::kArray}, {"{\"a\":[1]}", JsonKind::kObject},
      {"x[1]", JsonKind::kArray},        {"\"[\" {\"a\":1}", JsonKind::kObject},
      {"plain", JsonKind::kObject},      {"", JsonKind::kObject},
  };
  for (const auto& c : cases) {
    JsonDocument document;
    document.Parse(c.text);
    EXPECT_EQ(document.Nodes().Kind(1), c.kind) << c.text;
  }
}

std::string Nested(int levels) { return std::string(levels, '[') + std::string(levels, ']'); }

TEST(JsonParser, NestingIsLimited) {
  JsonDocument document;
  document.Parse(Nested(kJsonMaxNesting));
  EXPECT_EQ(document.Nodes().Count(), kJsonMaxNesting);
  EXPECT_EQ(document.Nodes().Depth(kJsonMaxNesting), kJsonMaxNesting);

  // One level more ends the reading there, as if the text ended.
  document.Parse(Nested(kJsonMaxNesting + 1));
  EXPECT_EQ(document.Nodes().Count(), 1);
  document.Parse("{\"ok\":1,\"deep\":" + Nested(600) + ",\"after\":2}");
  EXPECT_EQ(Outline(document), "ok=1");

  // Far deeper than any stack would take.
  document.Parse(std::string(200000, '['));
  EXPECT_EQ(document.Nodes().Count(), 1);
  std::string members;
  for (int i = 0; i < 100000; ++i) members += "{\"a\":";
  document.Parse(members);
  EXPECT_EQ(document.Nodes().Count(), 1);
}

std::string Numbers(int count) {
  std::string list;
  for (int i = 0; i < count; ++i) list += (i > 0 ? "," : "") + std::to_string(i);
  return list;
}

// Nodes are kept in blocks of 1024: these tables span several.
TEST(JsonNodeTable, LargeTablesAcrossBlocks) {
  JsonDocument document;
  document.Parse("{\"a\":[" + Numbers(3000) + "],\"b\":{\"c\":1}}");
  const JsonNodeTable& nodes = document.Nodes();
  ASSERT_EQ(nodes.Count(), 3004);  // the root, "a", its 3000 elements, "b", "c"
  EXPECT_EQ(document.GetText("a.[3000]"), "2999");
  EXPECT_EQ(document.PathOf(3004), "b.c");

  // Inserting behind "a" moves "b" and "c" along, across a block boundary.
  document.SetValue("a.x.y", "v", JsonKind::kScalar);
  ASSERT_EQ(nodes.Count(), 3006);
  EXPECT_EQ(document.PathOf(3004), "a.x.y");
  EXPECT_EQ(nodes.Ordinal(3003), 3001);
  EXPECT_EQ(document.GetText("b.c"), "1");
  EXPECT_EQ(nodes.Parent(3006), 3005);
  EXPECT_EQ(nodes.Ordinal(3005), 2);

  JsonNodeTable copy = document.CopyNodeTable();
  EXPECT_EQ(copy.Insert(1, "z", JsonKind::kScalar, "9"), 3007);
  EXPECT_EQ(copy.Value(3007), "9");
  EXPECT_EQ(copy.Value(3005), "{\"c\":1}");
  EXPECT_EQ(nodes.Count(), 3006);

  // An unfinished array of thousands of elements is dropped whole.
  document.Parse("{\"ok\":1,\"a\":[" + Numbers(3000));
  ASSERT_EQ(nodes.Count(), 2);
  document.SetValue("n", "2", JsonKind::kScalar);
  EXPECT_EQ(Outline(document), "ok=1 | n=2");
  document.Parse("[" + Numbers(2500) + "]");
  EXPECT_EQ(nodes.Count(), 2501);
  EXPECT_EQ(document.GetText("[2500]"), "2499");
}

TEST(JsonNodeTable, ReadsOutOfRangeGiveEmptyOrMinusOne) {
  JsonDocument document;
  document.Parse("{\"a\":1}");
  const JsonNodeTable& nodes = document.Nodes();
  for (int at : {-1, 0, 3}) {
    EXPECT_EQ(nodes.Name(at), "");
    EXPECT_EQ(nodes.Value(at), "");
    EXPECT_EQ(nodes.Kind(at), JsonKind::kNone);
    EXPECT_EQ(nodes.Depth(at), -1);
    EXPECT_EQ(nodes.ChildCount(at), -1);
    EXPECT_EQ(nodes.Ordinal(at), -1);
    EXPECT_EQ(nodes.Parent(at), -1);
    EXPECT_EQ(nodes.SubtreeEnd(at), -1);
    EXPECT_TRUE(nodes.Children(at).empty());
    EXPECT_EQ(nodes.Node(at).kind, JsonKind::kNone);
  }
}

TEST(JsonNodeTable, InsertGoesBehindTheParentsSubtree) {
  JsonNodeTable table;
  EXPECT_EQ(table.Insert(1, "x", JsonKind::kScalar, ""), 0);  // no parent yet
  ASSERT_EQ(table.Insert(0, "JSON", JsonKind::kObject, "{}"), 1);
  EXPECT_EQ(table.Insert(0, "JSON", JsonKind::kObject, "{}"), 0);  // one root only
  const int a = table.Insert(1, "a", JsonKind::kObject, "");
  const int b = table.Insert(1, "b", JsonKind::kScalar, "2");
  const int a1 = table.Insert(a, "a1", JsonKind::kScalar, "1");  // lands between a and b
  EXPECT_EQ(a1, 3);
  EXPECT_EQ(table.Name(4), "b");
  EXPECT_EQ(table.Parent(4), 1);
  EXPECT_EQ(table.Ordinal(4), 2);
  EXPECT_EQ(table.Parent(a1), a);
  EXPECT_EQ(table.ChildCount(1), 2);
  EXPECT_EQ(b, 3);  // its position when it was added
  table.SetName(4, "[7]");
  EXPECT_TRUE(table.NameEquals(4, "[7]"));
  table.SetKind(4, JsonKind::kArray);
  EXPECT_EQ(table.Node(4).kind, JsonKind::kArray);
  const std::vector<JsonNode> all = table.Nodes();
  ASSERT_EQ(all.size(), 4u);
  EXPECT_EQ(all[3].value, "2");
  table.Clear();
  EXPECT_EQ(table.Count(), 0);
}

}  // namespace
}  // namespace orvanta
