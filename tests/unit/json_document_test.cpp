#include "json_document.h"

#include <gtest/gtest.h>

#include "codepage.h"

namespace orvanta {
namespace {

// Answers as the directory, the update endpoint and the page send them.
const std::string kDirectoryAnswer =
    Gbk(u8"{\"code\":200,\"msg\":\"操作成功\",\"data\":\"https://kf.example.com\",\"time\":1733904000}");
const std::string kDirectoryFailure = Gbk(u8"{\"code\":\"404\",\"msg\":\"服务器编号不存在\",\"data\":\"\"}");
const std::string kUpdateAnswer = Gbk(
    u8"{\"code\":200,\"msg\":\"ok\",\"data\":{\"winvernum\":\"1.0.2.0\","
    u8"\"windownurl\":\"https:\\/\\/kf.example.com\\/down\\/tesmor_1020.zip\","
    u8"\"wincontent\":\"1、修复消息提醒\\n2、优化 {速度}\",\"wintype\":\"1\"}}");
const std::string kPrettyAnswer =
    "{\r\n    \"msg\": \"ok\",\r\n    \"data\": {\r\n        \"winvernum\": \"1.0.3\",\r\n"
    "        \"size\": 52011\r\n    },\r\n    \"code\": 200\r\n}\r\n";
const std::string kPageMessage = Gbk(
    u8"{\"T\":\"newmsg\",\"D\":{\"BossId\":\"2024061888\",\"FromId\":\"v_1001\","
    u8"\"BossName\":\"q7Vh+2nK/Jc=\",\"Fnick\":\"U2FsdGVk\",\"Content\":\"3fQ1m+o9/AbC==\","
    u8"\"Ext\":{\"tags\":[\"新客\",\"VIP\"],\"Page\":{\"url\":\"https://shop.example.com/p?id=7\"}}}}");

struct PathCase {
  const char* name;
  std::string text;
  std::string path;
  std::string expected;
  bool zeroBased = false;
};

TEST(JsonDocument, GetTextReadsValuesByPath) {
  const std::string codeMsgData = "{\"code\":200,\"msg\":\"ok\",\"data\":\"x\"}";
  const std::string nested = "{\"D\":{\"BossId\":\"12\",\"FromId\":\"34\"}}";
  const std::string list = "{\"list\":[{\"a\":1},{\"a\":2}]}";
  const PathCase cases[] = {
      {"a number as text", codeMsgData, "code", "200"},
      {"a string without quotes", codeMsgData, "msg", "ok"},
      {"the last member", codeMsgData, "data", "x"},
      {"a missing member", codeMsgData, "none", ""},
      {"keys are compared exactly", codeMsgData, "Code", ""},
      {"a nested member", nested, "D.BossId", "12"},
      {"an object as its text", nested, "D", "{\"BossId\":\"12\",\"FromId\":\"34\"}"},
      {"a path through a scalar", nested, "D.BossId.x", ""},
      {"elements from [1]", list, "list.[2].a", "2"},
      {"no index rewriting from [1]", list, "list[2].a", ""},
      {"elements from [0], rewritten", list, "list[1].a", "2", true},
      {"elements from [0], dotted", list, "list.[0].a", "1", true},
      {"an escaped quote keeps its backslash", "{\"s\":\"say \\\"hi\\\"\"}", "s", "say \\\"hi\\\""},
      {"blanks just inside the quotes go", "{\"s\":\"  padded  \"}", "s", "padded"},
      {"a blank before '{' goes, also in a string", "{\"s\":\"Hello {name}\"}", "s", "Hello{name}"},
      {"a blank behind ']' goes", "{\"s\":\"[1] x\"}", "s", "[1]x"},
      {"a number before a line break keeps it", "{\n  \"code\": 200\n}", "code", "200\n"},
      {"a number before a blank loses it", "{ \"code\": 200 }", "code", "200"},
      {"the empty path gives the compacted text", "  {\"a\" : [ 1 ] } \n", "", "{\"a\":[ 1 ]}"},
      {"an empty array", "{\"e\":[]}", "e", "[]"},
      {"the empty string", "{\"e\":\"\"}", "e", ""},
      {"true, false and null as written", "{\"t\":true,\"n\":null}", "n", "null"},
      {"an escape stays undecoded", "{\"u\":\"\\u4e2d\\/\\n\"}", "u", "\\u4e2d\\/\\n"},
      {"a quoted path segment holds dots", "{\"a.b\":{\"c\":1}}", "\"a.b\".c", "1"},
      {"two apostrophes quote a segment", "{\"a.b\":{\"c\":1}}", "''a.b''.c", "1"},
      {"unquoted keys", "{code:200, msg : ok}", "msg", "ok"},
      {"a member without a colon is dropped", "{\"a\",\"b\":2}", "b", "2"},
      {"a member without an end is dropped", "{\"a\":1,\"b\":2", "b", ""},
      {"members before the broken one stay", "{\"a\":1,\"b\":2", "a", "1"},
      {"text before the first bracket is ignored", "callback({\"a\":1})", "a", "1"},
      {"a second object adds its members", "{\"a\":1}{\"b\":2}", "b", "2"},
      {"a text without brackets has no members", "code:200", "code", ""},
      {"a scalar text has no members", "\"plain\"", "", "\"plain\""},
      // Answers as they arrive.
      {"directory: code", kDirectoryAnswer, "code", "200"},
      {"directory: site", kDirectoryAnswer, "data", "https://kf.example.com"},
      {"directory: message", kDirectoryAnswer, "msg", Gbk(u8"操作成功")},
      {"directory failure: code as a string", kDirectoryFailure, "code", "404"},
      {"directory failure: message", kDirectoryFailure, "msg", Gbk(u8"服务器编号不存在")},
      {"update: version", kUpdateAnswer, "data.winvernum", "1.0.2.0"},
      {"update: escaped slashes stay", kUpdateAnswer, "data.windownurl",
       "https:\\/\\/kf.example.com\\/down\\/tesmor_1020.zip"},
      {"update: backslash-n stays, the blank before '{' goes", kUpdateAnswer, "data.wincontent",
       Gbk(u8"1、修复消息提醒\\n2、优化{速度}")},
      {"update: compulsory", kUpdateAnswer, "data.wintype", "1"},
      {"update: a missing member", kUpdateAnswer, "data.winsize", ""},
      {"pretty: a string before CR LF", kPrettyAnswer, "msg", "ok"},
      {"pretty: a nested string", kPrettyAnswer, "data.winvernum", "1.0.3"},
      {"pretty: a number before CR LF keeps it", kPrettyAnswer, "data.size", "52011\r\n"},
      {"pretty: the last number", kPrettyAnswer, "code", "200\r\n"},
      {"page: kind", kPageMessage, "T", "newmsg"},
      {"page: pass phrase", kPageMessage, "D.BossId", "2024061888"},
      {"page: visitor", kPageMessage, "D.FromId", "v_1001"},
      {"page: Base64 stays whole", kPageMessage, "D.Content", "3fQ1m+o9/AbC=="},
      {"page: deeper", kPageMessage, "D.Ext.Page.url", "https://shop.example.com/p?id=7"},
      {"page: an element", kPageMessage, "D.Ext.tags.[1]", Gbk(u8"新客")},
      {"page: an array", kPageMessage, "D.Ext.tags", Gbk(u8"[\"新客\",\"VIP\"]")},
      {"page: the message's members only", kPageMessage, "BossId", ""},
  };
  for (const PathCase& c : cases) {
    JsonDocument document;
    document.Parse(c.text, c.zeroBased);
    EXPECT_EQ(document.GetText(c.path), c.expected) << c.name;
  }
}

TEST(JsonDocument, ParseReplacesTheWholeTable) {
  JsonDocument document;
  EXPECT_EQ(document.GetText(""), "");
  EXPECT_EQ(document.GetText("a"), "");
  document.Parse(kPageMessage);
  document.Parse("{\"T\":\"settitle\"}");
  EXPECT_EQ(document.GetText("T"), "settitle");
  EXPECT_EQ(document.GetText("D.BossId"), "");
  EXPECT_EQ(document.Nodes().Count(), 2);
}

TEST(JsonDocument, StartNodeSkipsTheSegmentsAboveIt) {
  JsonDocument document;
  document.Parse(kPageMessage);
  int d = 0;
  ASSERT_EQ(document.CountChildren("D", &d), 6);
  // Segments above the start node's depth are not checked.
  EXPECT_EQ(document.GetText("D.BossId", d), "2024061888");
  EXPECT_EQ(document.GetText("anything.BossId", d), "2024061888");
  EXPECT_EQ(document.GetText("x.Ext.Page.url", d), "https://shop.example.com/p?id=7");
  // A walk that ends on the start node gives nothing.
  EXPECT_EQ(document.GetText("D", d), "");
  EXPECT_EQ(document.GetText("T", d), "");
  EXPECT_EQ(document.GetText("D.T", d), "");  // "T" is not below "D"
  EXPECT_EQ(document.GetText("T", 999), "");
}

TEST(JsonDocument, CountChildrenAndPositions) {
  JsonDocument document;
  document.Parse("{\"e\":[],\"f\":[ ],\"g\":[1,[2,3]],\"h\":{\"x\":1}}");
  int position = -1;
  EXPECT_EQ(document.CountChildren("", &position), 4);
  EXPECT_EQ(position, 1);
  EXPECT_EQ(document.CountChildren("e", &position), 0);
  EXPECT_EQ(document.Nodes().Kind(position), JsonKind::kArray);
  EXPECT_EQ(document.CountChildren("f"), 0);
  EXPECT_EQ(document.CountChildren("g", &position), 2);
  EXPECT_EQ(document.Nodes().Name(position), "g");
  EXPECT_EQ(document.CountChildren("g.[2]"), 2);
  EXPECT_EQ(document.CountChildren("h"), 1);
  EXPECT_EQ(document.CountChildren("missing", &position), 0);
  EXPECT_EQ(position, 0);
  JsonDocument empty;
  EXPECT_EQ(empty.CountChildren("", &position), 0);
  EXPECT_EQ(position, 0);
}

TEST(JsonDocument, CountChildrenDoesNotRewriteIndexes) {
  JsonDocument document;
  document.Parse("{\"g\":[[1,2]]}", true);
  EXPECT_EQ(document.CountChildren("g.[0]"), 2);
  EXPECT_EQ(document.CountChildren("g[0]"), 0);
  EXPECT_EQ(document.GetText("g[0][1]"), "2");  // GetText does, each index
}

TEST(JsonDocument, PathOfGivesPathsThatGetTextReads) {
  JsonDocument document;
  document.Parse("{\"a\":{\"b.c\":[10,{\"d\":\"x\"}]},\"e\":1}");
  const JsonNodeTable& nodes = document.Nodes();
  EXPECT_EQ(document.PathOf(1), "");
  EXPECT_EQ(document.PathOf(0), "");
  EXPECT_EQ(document.PathOf(nodes.Count() + 1), "");
  const char* const expected[] = {"", "a", "a.\"b.c\"", "a.\"b.c\".[1]", "a.\"b.c\".[2]", "a.\"b.c\".[2].d", "e"};
  ASSERT_EQ(nodes.Count(), 7);
  for (int at = 1; at <= nodes.Count(); ++at) {
    EXPECT_EQ(document.PathOf(at), expected[at - 1]);
    if (at > 1) {
      EXPECT_EQ(document.GetText(document.PathOf(at)), JsonDocument::ValueText(nodes.Value(at)));
    }
  }
}

TEST(JsonDocument, SetValueChangesOrAddsNodes) {
  JsonDocument document;
  document.Parse("{\"data\":{\"a\":1,\"b\":[5]},\"z\":0}");
  document.SetValue("data.a", "\"two\"", JsonKind::kScalar);
  EXPECT_EQ(document.GetText("data.a"), "two");
  // Ancestors keep their text.
  EXPECT_EQ(document.GetText("data"), "{\"a\":1,\"b\":[5]}");

  // Missing segments become a chain behind the last node found's subtree.
  document.SetValue("data.c.d", "7", JsonKind::kScalar);
  EXPECT_EQ(document.GetText("data.c.d"), "7");
  EXPECT_EQ(document.GetText("data.c"), "");
  int c = 0;
  EXPECT_EQ(document.CountChildren("data.c", &c), 1);
  EXPECT_EQ(document.PathOf(c), "data.c");
  EXPECT_EQ(document.PathOf(c + 1), "data.c.d");
  EXPECT_EQ(document.Nodes().Ordinal(c), 3);
  EXPECT_EQ(document.GetText("z"), "0");  // the node behind the insertion is still found
  EXPECT_EQ(document.Nodes().Parent(document.Nodes().Count()), 1);  // "z", stepping back across the chain

  document.SetValue("data.b", "{\"k\":1}", JsonKind::kObject);
  EXPECT_EQ(document.Nodes().Kind(document.Nodes().Children(2)[1]), JsonKind::kObject);
  document.SetValue("", "{}", JsonKind::kObject);
  EXPECT_EQ(document.GetText(""), "{}");
}

TEST(JsonDocument, SetValueOnAnEmptyDocumentMakesARoot) {
  JsonDocument document;
  document.SetValue("a.b", "1", JsonKind::kScalar);
  EXPECT_EQ(document.GetText("a.b"), "1");
  EXPECT_EQ(document.Nodes().Name(1), "JSON");
  EXPECT_EQ(document.PathOf(3), "a.b");
}

TEST(JsonDocument, SetValueRewritesIndexesWhenZeroBased) {
  JsonDocument document;
  document.Parse("{\"list\":[{\"a\":1}]}", true);
  document.SetValue("list[0].a", "9", JsonKind::kScalar);
  EXPECT_EQ(document.GetText("list.[0].a"), "9");
  EXPECT_EQ(document.Nodes().Count(), 4);  // nothing added
}

TEST(JsonDocument, CopyNodeTableIsIndependent) {
  JsonDocument document;
  document.Parse("{\"a\":\"x\"}");
  const JsonNodeTable copy = document.CopyNodeTable();
  document.SetValue("a", "y", JsonKind::kScalar);
  document.Parse("[1,2,3]");
  ASSERT_EQ(copy.Count(), 2);
  EXPECT_EQ(copy.Value(2), "\"x\"");
  EXPECT_EQ(copy.Value(1), "{\"a\":\"x\"}");
}

TEST(JsonDocument, ValueTextAndCapitalise) {
  EXPECT_EQ(JsonDocument::ValueText("\"x\""), "x");
  EXPECT_EQ(JsonDocument::ValueText("\"\\\"x\\\"\""), "\\\"x\\\"");
  // Backslash-apostrophes in a value are not mistaken for an escaped quote.
  EXPECT_EQ(JsonDocument::ValueText("\"a\\\\''b\""), "a\\\\''b");
  const struct {
    std::string text;
    std::string expected;
  } cases[] = {
      {"hELLO wORLD", "Hello world"},
      {"", ""},
      {"1ABC", "1abc"},
      // 丂 is 81 41: its trail byte is the letter 'A' and must stay.
      {"\x81\x41" "ABC", "\x81\x41" "abc"},
      {"a\x81\x41", "A\x81\x41"},
  };
  for (const auto& c : cases) EXPECT_EQ(JsonDocument::Capitalise(c.text), c.expected) << c.text;
}

}  // namespace
}  // namespace orvanta
