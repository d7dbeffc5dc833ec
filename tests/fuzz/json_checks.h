// What must hold for any parsed JSON document, whatever the text: used by the
// fuzz target and the corpus run. Each check returns "" or what is wrong.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "json_document.h"
#include "json_parser.h"

namespace orvanta::json_checks {

// The table is a well-formed tree in document order.
inline std::string CheckTable(const JsonDocument& document, std::string_view text) {
  const JsonNodeTable& nodes = document.Nodes();
  if (nodes.Count() < 1) return "no root";
  if (nodes.Name(1) != "JSON" || nodes.Depth(1) != 1 || nodes.Ordinal(1) != 1 || nodes.Parent(1) != 0) {
    return "bad root";
  }
  if (nodes.Kind(1) != JsonKind::kObject && nodes.Kind(1) != JsonKind::kArray) return "root is a scalar";
  if (nodes.Value(1) != text) return "root value is not the text";
  std::vector<int> lastAtDepth{0, 1};  // by depth: the last node seen there
  std::vector<int> children(static_cast<std::size_t>(nodes.Count()) + 1, 0);
  for (int at = 2; at <= nodes.Count(); ++at) {
    const int depth = nodes.Depth(at);
    if (depth < 2 || depth > static_cast<int>(lastAtDepth.size())) return "depth jumps at " + std::to_string(at);
    if (depth > kJsonMaxNesting + 1) return "nested too deep";
    const int parent = lastAtDepth[static_cast<std::size_t>(depth) - 1];
    lastAtDepth.resize(static_cast<std::size_t>(depth) + 1);
    lastAtDepth[static_cast<std::size_t>(depth)] = at;
    if (nodes.Kind(parent) == JsonKind::kScalar) return "a scalar with children at " + std::to_string(at);
    if (nodes.Ordinal(at) != ++children[static_cast<std::size_t>(parent)]) return "ordinal at " + std::to_string(at);
    // Stepping back costs more on wide tables; a sample is enough.
    if (at <= 2000 && nodes.Parent(at) != parent) return "parent at " + std::to_string(at);
    if (at <= 2000 && nodes.Kind(at) != JsonKind::kScalar) {
      const std::string value = nodes.Value(at);
      const char bracket = nodes.Kind(at) == JsonKind::kObject ? '{' : '[';
      if (value.empty() || value.front() != bracket) return "container value at " + std::to_string(at);
    }
  }
  for (int at = 1; at <= nodes.Count(); ++at) {
    if (nodes.ChildCount(at) != children[static_cast<std::size_t>(at)]) return "child count at " + std::to_string(at);
  }
  return "";
}

// A name a path can spell without quoting rules getting in the way.
inline bool PlainName(std::string_view name) {
  if (name.empty()) return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == '-';
  });
}

inline bool IsIndexName(std::string_view name) {
  return name.size() >= 3 && name.front() == '[' && name.back() == ']' &&
         std::all_of(name.begin() + 1, name.end() - 1, [](char c) { return c >= '0' && c <= '9'; });
}

// PathOf gives a path that leads back to the node and GetText reads its
// value. Checked where names are plain and no earlier sibling of the node or
// of an ancestor has the same name (a path finds the first of those).
inline std::string CheckPathOf(const JsonDocument& document, int position) {
  const JsonNodeTable& nodes = document.Nodes();
  for (int at = position; nodes.Depth(at) > 1; at = nodes.Parent(at)) {
    const std::string name = nodes.Name(at);
    if (!PlainName(name) && !IsIndexName(name)) return "";
    for (int sibling : nodes.Children(nodes.Parent(at))) {
      if (sibling == at) break;
      if (nodes.NameEquals(sibling, name)) return "";
    }
  }
  const std::string path = document.PathOf(position);
  int found = 0;
  document.CountChildren(path, &found);
  if (found != position) return "PathOf does not lead back: " + path;
  if (document.GetText(path) != JsonDocument::ValueText(nodes.Value(position))) return "GetText differs: " + path;
  return "";
}

}  // namespace orvanta::json_checks
