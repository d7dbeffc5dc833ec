// The parsed nodes of a JSON document: one flat array in document order.
//
// Each parent comes before its children and each child's whole subtree
// before its next sibling. Positions are 1-based; the root is node 1, named
// "JSON", at depth 1. Reads out of range give "" for texts and -1 for numbers
// (JsonKind::kNone for the kind).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

enum class JsonKind : int {
  kNone = -1,   // out of range
  kScalar = 0,  // string, number, true, false, null, or anything else
  kObject = 1,
  kArray = 2,
};

// One node as the table hands it out.
struct JsonNode {
  std::string name;   // member key without its quotes, "[n]" for an element, "JSON" for the root
  JsonKind kind = JsonKind::kScalar;
  std::string value;  // the value's text in the normalised document (a string with its quotes)
  int depth = 0;      // 1 for the root
  int childCount = 0;
  int ordinal = 0;    // position among its siblings, from 1
};

class JsonNodeTable {
 public:
  int Count() const { return static_cast<int>(nodes_.Size()); }
  void Clear();

  std::string Name(int position) const;
  bool NameEquals(int position, std::string_view name) const;
  JsonKind Kind(int position) const;
  std::string Value(int position) const;
  // The same text without a copy where none is needed; `storage` holds it
  // otherwise.
  std::string_view ValueView(int position, std::string& storage) const;
  int Depth(int position) const;
  int ChildCount(int position) const;
  int Ordinal(int position) const;
  bool HasChildren(int position) const { return ChildCount(position) > 0; }
  // Steps back from the node by its ordinal, and from there by that node's
  // ordinal, until a node one level shallower is reached. 0 for the root.
  int Parent(int position) const;
  // The position behind the node's last descendant.
  int SubtreeEnd(int position) const;
  std::vector<int> Children(int position) const;

  JsonNode Node(int position) const;
  std::vector<JsonNode> Nodes() const;

  // Adds a node behind the parent's subtree, one level deeper, with the next
  // ordinal; parent 0 adds a root (only to an empty table). Returns its
  // position, or 0 when the parent does not exist.
  int Insert(int parent, std::string_view name, JsonKind kind, std::string_view value);
  void SetName(int position, std::string_view name);
  void SetKind(int position, JsonKind kind);
  void SetValue(int position, std::string_view value);

  // Building in document order, for the parser. The table keeps `normalised`
  // and parsed names and values are spans of it.
  // Offsets and lengths fit 32 bits: the parser reads no texts of 1 GiB or
  // more (kJsonMaxTextSize), and a node stays 32 bytes.
  struct Span {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
  };
  static Span MakeSpan(std::size_t offset, std::size_t length) {
    return Span{static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(length)};
  }
  void StartBuilding(std::string normalised, std::string_view rootValue, JsonKind rootKind);
  std::string_view Normalised() const { return normalised_; }
  // Appends a child behind everything, which must be the parent's subtree.
  int AppendChild(int parent, Span name, JsonKind kind) {
    Stored& added = nodes_.Append();  // may move the first block: the parent is looked up behind it
    Stored& owner = nodes_[static_cast<std::size_t>(parent) - 1];
    added.name = name;
    added.kind = static_cast<std::int8_t>(kind);
    added.depth = owner.depth + 1;
    added.ordinal = ++owner.childCount;
    return Count();
  }
  int AppendElement(int parent, int base, JsonKind kind) {  // named "[ordinal - base]"
    const int position = AppendChild(parent, Span{}, kind);
    nodes_[static_cast<std::size_t>(position) - 1].indexBase = static_cast<std::int8_t>(base);
    return position;
  }
  // A text of the table's own (a key that is not a plain span of the document).
  Span Keep(std::string_view text);
  // `trimLines`: the span holds line breaks, and spaces and tabs around them
  // are dropped when the value is read.
  void SetValueSpan(int position, Span value, bool trimLines) {
    Stored& node = nodes_[static_cast<std::size_t>(position) - 1];
    node.value = value;
    node.trimLines = trimLines;
  }
  // Drops the node and everything behind it, which must be its subtree.
  void DropFrom(int position);

 private:
  struct Stored {
    Span name;
    Span value;
    std::int32_t depth = 0;
    std::int32_t childCount = 0;
    std::int32_t ordinal = 0;
    std::int8_t kind = static_cast<std::int8_t>(JsonKind::kScalar);
    std::int8_t indexBase = -1;  // 0 or 1 for an element named "[ordinal - base]"
    bool trimLines = false;
  };

  const Stored* At(int position) const;
  Stored* At(int position);
  // Offsets below the size of the normalised document point into it, the
  // others into the table's own texts.
  std::string_view View(Span span) const;

  // The nodes in blocks of kBlockSize: growing never copies the nodes already
  // there, and blocks this small come from the heap, where the next parse
  // finds them again (a large text needs no fresh pages each time).
  class Blocks {
   public:
    std::size_t Size() const { return size_; }
    Stored& operator[](std::size_t index) { return blocks_[index >> kShift][index & kMask]; }
    const Stored& operator[](std::size_t index) const { return blocks_[index >> kShift][index & kMask]; }
    // `firstBlock`: room for the first block, where small texts stay.
    Stored& Append(std::size_t firstBlock = kBlockSize) {
      if ((size_ & kMask) != 0 && blocks_.back().size() < blocks_.back().capacity()) {
        ++size_;
        return blocks_.back().emplace_back();
      }
      return AppendToNewRoom(firstBlock);
    }
    void Insert(std::size_t index, const Stored& node);
    void Shrink(std::size_t size);
    void Clear();

   private:
    Stored& AppendToNewRoom(std::size_t firstBlock);

    static constexpr std::size_t kShift = 10;
    static constexpr std::size_t kBlockSize = std::size_t{1} << kShift;  // 32 KiB
    static constexpr std::size_t kMask = kBlockSize - 1;
    std::vector<std::vector<Stored>> blocks_;  // all full but the last
    std::size_t size_ = 0;
  };

  Blocks nodes_;
  std::string normalised_;
  // The root's value, keys that needed stripping, texts set later.
  std::string own_;
};

}  // namespace orvanta
