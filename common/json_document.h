// A parsed JSON text read by dotted paths ("code", "data.winvernum",
// "D.BossId"): the directory and update answers and the page's visitor
// messages.
//
// Every value comes back as text: a string without its quotes, a number,
// true, false or null as written, an object or array as its normalised text.
// Escapes are not decoded ("\/" stays "\/", "\n" stays backslash-n). The text
// is normalised first: blanks next to brackets and quotes are removed, inside
// strings too, so " Hello {name} " reads as "Hello{name}". Spaces and tabs at
// the ends of a value's lines go; its line breaks stay.
//
// A missing path, a path through a scalar or a position out of range gives
// "" (or 0). Nothing throws. Parsing is linear in the text and lenient with
// malformed input (see json_parser.h). A document is used by one thread and
// does not call back into anything while it works.
#pragma once

#include <string>
#include <string_view>

#include "json_node_table.h"

namespace orvanta {

class JsonDocument {
 public:
  // Replaces the whole table. With `zeroBased`, elements are named from "[0]"
  // and paths may index without a dot ("list[0].name").
  void Parse(std::string_view text, bool zeroBased = false);

  // Segment i of the path names a node at depth i + 1, searched among the
  // descendants of the node found for segment i - 1. The empty path gives the
  // whole text as parsed, normalised. With `startNode` above 0 the walk begins
  // there and the segments above that node's depth are skipped unchecked; a
  // walk that ends on the start node gives "".
  std::string GetText(std::string_view path, int startNode = 0) const;

  // Sets the kind and stored text of the node at the path. Missing segments
  // are added as a chain of empty scalars below the last node found. The texts
  // of the node's ancestors are not updated.
  void SetValue(std::string_view path, std::string_view value, JsonKind kind);

  // The number of direct children of the node at the path (the root for the
  // empty path), 0 when the path is missing; `position` receives the node's
  // position, or 0.
  int CountChildren(std::string_view path, int* position = nullptr) const;

  // The dotted path of a node ("" for the root and out of range).
  std::string PathOf(int position) const;

  // A node's stored value as GetText gives it: quotes and blanks around it removed.
  static std::string ValueText(std::string_view value);

  // The first character upper-cased and the rest lower-cased (Latin letters
  // only; double-byte characters stay as they are).
  static std::string Capitalise(std::string_view text);

  JsonNodeTable CopyNodeTable() const { return table_; }
  const JsonNodeTable& Nodes() const { return table_; }

 private:
  // Walks the segments from the start node; the node found or 0.
  int Find(std::string_view path, int startNode, bool separateIndexes) const;

  bool zeroBased_ = false;
  JsonNodeTable table_;
};

}  // namespace orvanta
