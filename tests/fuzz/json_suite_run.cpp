// Runs the JSONTestSuite parsing cases (written out by
// tests/oracle/json_suite_cases.js) through the JSON document: each text is
// parsed both ways, its table checked, and a few paths read. Where the index
// gives the number of top-level members, the document must find as many.
//   json_suite_run <folder>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "json_checks.h"
#include "json_document.h"

namespace {

using namespace orvanta;

bool ReadFile(const std::string& name, std::string& out) {
  std::ifstream file(name, std::ios::binary);
  if (!file) return false;
  std::ostringstream bytes;
  bytes << file.rdbuf();
  out = bytes.str();
  return true;
}

// "" or what went wrong with this case.
std::string RunCase(const std::string& text, const std::string& expectedCount) {
  for (bool zeroBased : {false, true}) {
    JsonDocument document;
    document.Parse(text, zeroBased);
    std::string problem = json_checks::CheckTable(document, text);
    if (!problem.empty()) return problem;
    const JsonNodeTable& nodes = document.Nodes();
    if (document.GetText("").size() > text.size()) return "the whole text grew";
    for (const char* path : {"[1]", "[0]", "a", "[1].[1]", "a.b"}) document.GetText(path);
    for (int at = 2; at <= nodes.Count() && at <= 64; ++at) {
      problem = json_checks::CheckPathOf(document, at);
      if (!problem.empty()) return problem;
    }
    if (!zeroBased && expectedCount != "-" && std::to_string(document.CountChildren("")) != expectedCount) {
      return "top-level count " + std::to_string(document.CountChildren("")) + ", expected " + expectedCount;
    }
  }
  return "";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: json_suite_run <folder>\n");
    return 2;
  }
  const std::string folder = argv[1];
  std::ifstream index(folder + "/index.txt");
  if (!index) {
    std::fprintf(stderr, "no index in %s\n", folder.c_str());
    return 2;
  }
  int cases = 0, counted = 0, failures = 0;
  std::string line;
  while (std::getline(index, line)) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    const std::string name = line.substr(0, tab);
    const std::string expected = line.substr(tab + 1);
    std::string text;
    if (!ReadFile(folder + "/" + name, text)) {
      std::fprintf(stderr, "%s: cannot read\n", name.c_str());
      ++failures;
      continue;
    }
    ++cases;
    if (expected != "-") ++counted;
    const std::string problem = RunCase(text, expected);
    if (!problem.empty()) {
      std::fprintf(stderr, "%s: %s\n", name.c_str(), problem.c_str());
      ++failures;
    }
  }
  std::printf("%d cases, %d with their top-level count checked, %d failed\n", cases, counted, failures);
  return cases > 0 && failures == 0 ? 0 : 1;
}
