#include "json_document.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "json_parser.h"
#include "json_path.h"
#include "json_text.h"

namespace orvanta {
namespace {

// The first node named `name` at `depth` among the nodes behind `from` that
// lie in its subtree, or 0.
int FindChild(const JsonNodeTable& table, int from, int depth, std::string_view name) {
  for (int at = from + 1; at <= table.Count(); ++at) {
    const int atDepth = table.Depth(at);
    if (atDepth < depth) break;
    if (atDepth == depth && table.NameEquals(at, name)) return at;
  }
  return 0;
}

// A path whose segments are the text between its dots as they stand: no
// quotes, apostrophes or blanks that splitting would remove (0xA1 may start
// an ideographic space).
bool IsPlainPath(std::string_view path) {
  for (char c : path) {
    if (c == '"' || c == '\'' || c == ' ' || (c >= '\t' && c <= '\r') || c == '\xA1') return false;
  }
  return true;
}

}  // namespace

void JsonDocument::Parse(std::string_view text, bool zeroBased) {
  zeroBased_ = zeroBased;
  try {
    ParseJsonInto(text, zeroBased, table_);
  } catch (const std::exception&) {
    table_.Clear();  // no memory even for the text itself: it reads as empty
  }
}

int JsonDocument::Find(std::string_view path, int startNode, bool separateIndexes) const {
  if (table_.Count() == 0) return 0;
  std::string separated;
  if (separateIndexes) {
    separated = SeparateIndexSegments(path);
    path = separated;
  }
  if (path.empty()) return 1;
  int current = startNode > 0 ? startNode : 1;
  if (table_.Depth(current) < 1) return 0;
  const int skipBelow = startNode > 0 ? table_.Depth(startNode) : 0;
  // Segment i names a node at depth i + 1 below the current one.
  const auto step = [&](std::size_t i, std::string_view segment) {
    if (static_cast<long long>(i) < skipBelow) return true;
    current = FindChild(table_, current, static_cast<int>(i) + 1, segment);
    return current != 0;
  };
  if (IsPlainPath(path)) {
    std::size_t start = 0;
    for (std::size_t i = 1;; ++i) {
      const std::size_t dot = path.find('.', start);
      if (!step(i, path.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start))) return 0;
      if (dot == std::string_view::npos) break;
      start = dot + 1;
    }
  } else {
    const std::vector<std::string> segments = SplitJsonPath(path);
    for (std::size_t i = 1; i <= segments.size(); ++i) {
      if (!step(i, segments[i - 1])) return 0;
    }
  }
  return startNode > 0 && current == startNode ? 0 : current;
}

std::string JsonDocument::GetText(std::string_view path, int startNode) const {
  if (path.empty()) return table_.Count() == 0 ? "" : CompactJsonBlanks(table_.Value(1));
  const int node = Find(path, startNode, zeroBased_);
  if (node == 0) return "";
  std::string storage;
  return ValueText(table_.ValueView(node, storage));
}

void JsonDocument::SetValue(std::string_view path, std::string_view value, JsonKind kind) {
  if (table_.Count() == 0) table_.Insert(0, "JSON", JsonKind::kObject, "");
  const std::string separated = zeroBased_ ? SeparateIndexSegments(path) : std::string(path);
  int current = 1;
  if (!separated.empty()) {
    const std::vector<std::string> segments = SplitJsonPath(separated);
    std::size_t i = 0;
    for (; i < segments.size(); ++i) {
      const int found = FindChild(table_, current, static_cast<int>(i) + 2, segments[i]);
      if (found == 0) break;
      current = found;
    }
    for (; i < segments.size() && current != 0; ++i) {
      current = table_.Insert(current, segments[i], JsonKind::kScalar, "");
    }
  }
  table_.SetKind(current, kind);
  table_.SetValue(current, value);
}

int JsonDocument::CountChildren(std::string_view path, int* position) const {
  const int node = Find(path, 0, false);
  if (position != nullptr) *position = node;
  return node == 0 ? 0 : table_.ChildCount(node);
}

std::string JsonDocument::PathOf(int position) const {
  std::vector<std::string> names;
  for (int at = position; table_.Depth(at) > 1; at = table_.Parent(at)) names.push_back(table_.Name(at));
  std::reverse(names.begin(), names.end());
  return JoinJsonPath(names);
}

std::string JsonDocument::ValueText(std::string_view value) { return StripJsonQuotes(value, true); }

std::string JsonDocument::Capitalise(std::string_view text) {
  std::string out(text);
  bool first = true;
  for (std::size_t at = 0; at < out.size(); first = false) {
    const std::size_t width = JsonCharLength(out, at);
    char& c = out[at];
    if (width == 1 && first && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (width == 1 && !first && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    at += width;
  }
  return out;
}

}  // namespace orvanta
