// JsonDocument: Parse and three GetText lookups, beside the same work done
// with RapidJSON, on a 2 KiB page message and a 300-byte directory answer
// (also pretty-printed);
// and the growth of that work with the size of the text, on three shapes,
// beside RapidJSON's growth on the same texts.
// tests/bench/json_vs_rapidjson.js prints the ratios from the JSON output.
#include <benchmark/benchmark.h>
#include <rapidjson/document.h>

#include <string>
#include <vector>

#include "codepage.h"
#include "json_document.h"

namespace {

using orvanta::Gbk;

// Pads the member "pad" (the last one) so that the text is `bytes` long.
std::string Padded(const std::string& front, std::size_t bytes) {
  const std::string tail = "\"}";
  std::string text = front + ",\"pad\":\"";
  while (text.size() + tail.size() < bytes) text += static_cast<char>('a' + text.size() % 26);
  return text + tail;
}

// A visitor message as the page posts it: Base64 fields under "D".
std::string PageMessage() {
  std::string content;
  while (content.size() < 1200) content += "3fQ1m+o9/AbCdEf0gHiJkL2mNoPqRsTuVwXyZ4a5b6c7d8e9==";
  const std::string front =
      Gbk(u8"{\"T\":\"newmsg\",\"D\":{\"BossId\":\"2024061888\",\"FromId\":\"v_10086\","
          u8"\"BossName\":\"q7Vh+2nK/JcXb3Yt1wQe9A==\",\"Fnick\":\"U2FsdGVkX19a\",\"Content\":\"") +
      content +
      Gbk(u8"\",\"Time\":\"2026-12-11 11:31:16\",\"Ext\":{\"ip\":\"203.0.113.7\","
          u8"\"page\":\"https://shop.example.com/item?id=7&from=search\",\"tags\":[\"新客\",\"VIP\"],"
          u8"\"source\":\"微信\",\"visits\":3}}");
  return Padded(front, 2048);
}

std::string DirectoryAnswer() {
  return Padded(Gbk(u8"{\"code\":200,\"msg\":\"操作成功\",\"data\":\"https://kf.example.com\",\"time\":1733904000,"
                    u8"\"sign\":\"9f86d081884c7d659a2feaa0c55ad015\",\"server\":{\"id\":\"1001\",\"name\":\"客服一号\","
                    u8"\"region\":\"cn-east\"}"),
                300);
}

// The same answer pretty-printed: blanks everywhere, so nothing is skipped.
std::string PrettyDirectoryAnswer() {
  return Padded(Gbk(u8"{\n    \"code\": 200,\n    \"msg\": \"操作成功\",\n    \"data\": \"https://kf.example.com\",\n"
                    u8"    \"time\": 1733904000,\n    \"server\": {\n        \"id\": \"1001\",\n"
                    u8"        \"name\": \"客服一号\"\n    }"),
                300);
}

struct Lookups {
  std::string text;
  std::vector<std::string> paths;  // dotted paths, as GetText takes them
};

const Lookups& Page() {
  static const Lookups page{PageMessage(), {"T", "D.BossId", "D.Content"}};
  return page;
}

const Lookups& Directory() {
  static const Lookups directory{DirectoryAnswer(), {"code", "msg", "data"}};
  return directory;
}

const Lookups& PrettyDirectory() {
  static const Lookups directory{PrettyDirectoryAnswer(), {"code", "msg", "data"}};
  return directory;
}

void Ours(benchmark::State& state, const Lookups* lookups) {
  std::size_t read = 0;
  for (auto _ : state) {
    orvanta::JsonDocument document;
    document.Parse(lookups->text);
    for (const std::string& path : lookups->paths) {
      std::string value = document.GetText(path);
      read += value.size();
      benchmark::DoNotOptimize(value);
    }
  }
  if (read == 0) state.SkipWithError("nothing read");
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * lookups->text.size()));
}

// Numbers are kept as their text, which is what GetText gives.
constexpr unsigned kRapidFlags = rapidjson::kParseNumbersAsStringsFlag;

std::string RapidText(const rapidjson::Document& document, const std::string& path) {
  const rapidjson::Value* at = &document;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t dot = path.find('.', start);
    if (dot == std::string::npos) dot = path.size();
    if (!at->IsObject()) return "";
    // A Value key: a bare StringRef would pick the overload that takes a C string.
    const rapidjson::Value key(rapidjson::StringRef(path.data() + start, dot - start));
    const auto member = at->FindMember(key);
    if (member == at->MemberEnd()) return "";
    at = &member->value;
    start = dot + 1;
  }
  return at->IsString() ? std::string(at->GetString(), at->GetStringLength()) : "";
}

void Rapid(benchmark::State& state, const Lookups* lookups) {
  // Both must read the same values, or the comparison means nothing.
  {
    orvanta::JsonDocument ours;
    ours.Parse(lookups->text);
    rapidjson::Document theirs;
    theirs.Parse<kRapidFlags>(lookups->text.data(), lookups->text.size());
    for (const std::string& path : lookups->paths) {
      if (RapidText(theirs, path) != ours.GetText(path)) state.SkipWithError(("values differ at " + path).c_str());
    }
  }
  for (auto _ : state) {
    rapidjson::Document document;
    document.Parse<kRapidFlags>(lookups->text.data(), lookups->text.size());
    for (const std::string& path : lookups->paths) {
      std::string value = RapidText(document, path);
      benchmark::DoNotOptimize(value);
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * lookups->text.size()));
}

// Growth: the same shape at every size, read by the same three paths, the
// last of which lies behind every node of the text.
std::string Repeated(const std::string& front, const std::string& unit, const std::string& back, std::size_t bytes) {
  std::string text = front;
  while (text.size() + unit.size() + back.size() + 1 <= bytes) text += unit + ",";
  if (text.back() == ',') text.pop_back();
  return text + back;
}

enum class Shape { kMessages, kPrettyNumbers, kDeepNesting };

std::string GrowthText(Shape shape, std::size_t bytes) {
  switch (shape) {
    case Shape::kMessages:
      return Repeated("{\"T\":\"list\",\"list\":[",
                      Gbk(u8"{\"T\":\"newmsg\",\"D\":{\"BossId\":\"2024061888\",\"FromId\":\"v_10086\","
                          u8"\"Content\":\"3fQ1m+o9/AbCdEf0gHiJ\",\"tags\":[\"新客\",\"VIP\"],\"visits\":3}}"),
                      "],\"end\":\"x\"}", bytes);
    case Shape::kPrettyNumbers:
      // Values with line breaks inside: each is trimmed line by line when read.
      return Repeated("{\n  \"T\": 1,\n  \"list\": [\n", "    [\n      1,\n      22,\n      333\n    ]",
                      "\n  ],\n  \"end\": 2\n}\n", bytes);
    case Shape::kDeepNesting:
      // Each element nests almost as deep as the parser allows.
      return Repeated("{\"T\":1,\"list\":[",
                      std::string(500, '[') + "0" + std::string(500, ']'), "],\"end\":\"x\"}", bytes);
  }
  return "";
}

void Growth(benchmark::State& state, Shape shape) {
  const std::string text = GrowthText(shape, static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    orvanta::JsonDocument document;
    document.Parse(text);
    for (const char* path : {"T", "list.[1]", "end"}) {
      std::string value = document.GetText(path);
      if (value.empty()) state.SkipWithError("nothing read");
      benchmark::DoNotOptimize(value);
    }
  }
  state.SetComplexityN(static_cast<std::int64_t>(text.size()));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// RapidJSON on the same texts: what growth the memory hierarchy alone gives.
void RapidGrowth(benchmark::State& state, Shape shape) {
  const std::string text = GrowthText(shape, static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    rapidjson::Document document;
    document.Parse<kRapidFlags>(text.data(), text.size());
    const auto list = document.FindMember("list");
    if (document.HasParseError() || list == document.MemberEnd() || list->value.Empty()) {
      state.SkipWithError("not parsed");
      break;
    }
    for (const char* path : {"T", "end"}) {
      std::string value = RapidText(document, path);
      benchmark::DoNotOptimize(value);
    }
    benchmark::DoNotOptimize(list->value[0]);
  }
  state.SetComplexityN(static_cast<std::int64_t>(text.size()));
}

}  // namespace

BENCHMARK_CAPTURE(Ours, PageMessage2KiB, &Page());
BENCHMARK_CAPTURE(Rapid, PageMessage2KiB, &Page());
BENCHMARK_CAPTURE(Ours, DirectoryAnswer300B, &Directory());
BENCHMARK_CAPTURE(Rapid, DirectoryAnswer300B, &Directory());
BENCHMARK_CAPTURE(Ours, PrettyDirectoryAnswer300B, &PrettyDirectory());
BENCHMARK_CAPTURE(Rapid, PrettyDirectoryAnswer300B, &PrettyDirectory());

BENCHMARK_CAPTURE(Growth, Messages, Shape::kMessages)->RangeMultiplier(4)->Range(2 << 10, 8 << 20)->Complexity(benchmark::oN);
BENCHMARK_CAPTURE(Growth, PrettyNumbers, Shape::kPrettyNumbers)
    ->RangeMultiplier(4)
    ->Range(2 << 10, 8 << 20)
    ->Complexity(benchmark::oN);
BENCHMARK_CAPTURE(Growth, DeepNesting, Shape::kDeepNesting)
    ->RangeMultiplier(4)
    ->Range(2 << 10, 8 << 20)
    ->Complexity(benchmark::oN);
BENCHMARK_CAPTURE(RapidGrowth, Messages, Shape::kMessages)->RangeMultiplier(4)->Range(2 << 10, 8 << 20);
BENCHMARK_CAPTURE(RapidGrowth, PrettyNumbers, Shape::kPrettyNumbers)->RangeMultiplier(4)->Range(2 << 10, 8 << 20);
BENCHMARK_CAPTURE(RapidGrowth, DeepNesting, Shape::kDeepNesting)->RangeMultiplier(4)->Range(2 << 10, 8 << 20);

BENCHMARK_MAIN();
