#include "json_node_table.h"

#include <algorithm>
#include <limits>

#include "json_text.h"

namespace orvanta {

static_assert(sizeof(JsonNodeTable::Span) == 8);

JsonNodeTable::Stored& JsonNodeTable::Blocks::AppendToNewRoom(std::size_t firstBlock) {
  if (size_ == blocks_.size() * kBlockSize) {
    blocks_.emplace_back().reserve(blocks_.size() == 1 ? std::min(firstBlock, kBlockSize) : kBlockSize);
  } else if (blocks_.size() == 1 && blocks_[0].size() == blocks_[0].capacity()) {
    blocks_[0].reserve(kBlockSize);  // the first block grows once to its full size
  }
  Stored& added = blocks_.back().emplace_back();
  ++size_;
  return added;
}

void JsonNodeTable::Blocks::Insert(std::size_t index, const Stored& node) {
  Append();
  for (std::size_t at = size_ - 1; at > index; --at) (*this)[at] = (*this)[at - 1];
  (*this)[index] = node;
}

void JsonNodeTable::Blocks::Shrink(std::size_t size) {
  if (size >= size_) return;
  blocks_.resize((size + kBlockSize - 1) / kBlockSize);
  if (!blocks_.empty()) blocks_.back().resize(size - (blocks_.size() - 1) * kBlockSize);
  size_ = size;
}

void JsonNodeTable::Blocks::Clear() {
  // The first block is kept for the next parse; the others are given back.
  blocks_.resize(std::min<std::size_t>(blocks_.size(), 1));
  if (!blocks_.empty()) blocks_[0].clear();
  size_ = 0;
}

void JsonNodeTable::Clear() {
  nodes_.Clear();
  normalised_.clear();
  own_.clear();
}

const JsonNodeTable::Stored* JsonNodeTable::At(int position) const {
  return position >= 1 && position <= Count() ? &nodes_[static_cast<std::size_t>(position) - 1] : nullptr;
}

JsonNodeTable::Stored* JsonNodeTable::At(int position) {
  return position >= 1 && position <= Count() ? &nodes_[static_cast<std::size_t>(position) - 1] : nullptr;
}

std::string_view JsonNodeTable::View(Span span) const {
  if (span.offset < normalised_.size()) return std::string_view(normalised_).substr(span.offset, span.length);
  return std::string_view(own_).substr(span.offset - normalised_.size(), span.length);
}

std::string JsonNodeTable::Name(int position) const {
  const Stored* node = At(position);
  if (node == nullptr) return "";
  if (node->indexBase >= 0) return "[" + std::to_string(node->ordinal - node->indexBase) + "]";
  return std::string(View(node->name));
}

bool JsonNodeTable::NameEquals(int position, std::string_view name) const {
  const Stored* node = At(position);
  if (node == nullptr) return false;
  if (node->indexBase < 0) return View(node->name) == name;
  // "[" digits "]" without building the name.
  if (name.size() < 3 || name.front() != '[' || name.back() != ']') return false;
  long long index = node->ordinal - node->indexBase;
  for (std::size_t i = name.size() - 2; i >= 1; --i) {
    if (name[i] != static_cast<char>('0' + index % 10)) return false;
    index /= 10;
    if (index == 0) return i == 1;
  }
  return false;
}

JsonKind JsonNodeTable::Kind(int position) const {
  const Stored* node = At(position);
  return node == nullptr ? JsonKind::kNone : static_cast<JsonKind>(node->kind);
}

std::string JsonNodeTable::Value(int position) const {
  const Stored* node = At(position);
  if (node == nullptr) return "";
  const std::string_view value = View(node->value);
  return node->trimLines ? TrimJsonLines(value) : std::string(value);
}

std::string_view JsonNodeTable::ValueView(int position, std::string& storage) const {
  const Stored* node = At(position);
  if (node == nullptr) return "";
  if (!node->trimLines) return View(node->value);
  storage = TrimJsonLines(View(node->value));
  return storage;
}

int JsonNodeTable::Depth(int position) const {
  const Stored* node = At(position);
  return node == nullptr ? -1 : node->depth;
}

int JsonNodeTable::ChildCount(int position) const {
  const Stored* node = At(position);
  return node == nullptr ? -1 : node->childCount;
}

int JsonNodeTable::Ordinal(int position) const {
  const Stored* node = At(position);
  return node == nullptr ? -1 : node->ordinal;
}

int JsonNodeTable::Parent(int position) const {
  const Stored* node = At(position);
  if (node == nullptr) return -1;
  if (node->depth <= 1) return 0;
  // Every earlier sibling's subtree holds at least one node, so stepping back
  // by an ordinal never passes the parent.
  const int parentDepth = node->depth - 1;
  int at = position;
  while (at > 1) {
    at -= nodes_[static_cast<std::size_t>(at) - 1].ordinal;
    if (at < 1) break;
    if (nodes_[static_cast<std::size_t>(at) - 1].depth == parentDepth) return at;
  }
  return -1;
}

int JsonNodeTable::SubtreeEnd(int position) const {
  const Stored* node = At(position);
  if (node == nullptr) return -1;
  int end = position + 1;
  while (end <= Count() && nodes_[static_cast<std::size_t>(end) - 1].depth > node->depth) ++end;
  return end;
}

std::vector<int> JsonNodeTable::Children(int position) const {
  std::vector<int> children;
  const Stored* node = At(position);
  if (node == nullptr) return children;
  const int end = SubtreeEnd(position);
  for (int at = position + 1; at < end; ++at) {
    if (nodes_[static_cast<std::size_t>(at) - 1].depth == node->depth + 1) children.push_back(at);
  }
  return children;
}

JsonNode JsonNodeTable::Node(int position) const {
  const Stored* node = At(position);
  if (node == nullptr) return JsonNode{"", JsonKind::kNone, "", -1, -1, -1};
  return JsonNode{Name(position), Kind(position), Value(position), node->depth, node->childCount, node->ordinal};
}

std::vector<JsonNode> JsonNodeTable::Nodes() const {
  std::vector<JsonNode> all;
  all.reserve(nodes_.Size());
  for (int position = 1; position <= Count(); ++position) all.push_back(Node(position));
  return all;
}

int JsonNodeTable::Insert(int parent, std::string_view name, JsonKind kind, std::string_view value) {
  Stored added;
  added.name = Keep(name);
  added.value = Keep(value);
  added.kind = static_cast<std::int8_t>(kind);
  if (parent == 0) {
    if (nodes_.Size() != 0) return 0;
    added.depth = 1;
    added.ordinal = 1;
    nodes_.Append() = added;
    return 1;
  }
  Stored* owner = At(parent);
  if (owner == nullptr) return 0;
  added.depth = owner->depth + 1;
  added.ordinal = ++owner->childCount;
  const int position = SubtreeEnd(parent);
  nodes_.Insert(static_cast<std::size_t>(position) - 1, added);
  return position;
}

void JsonNodeTable::SetName(int position, std::string_view name) {
  if (Stored* node = At(position)) {
    node->name = Keep(name);
    node->indexBase = -1;
  }
}

void JsonNodeTable::SetKind(int position, JsonKind kind) {
  if (Stored* node = At(position)) node->kind = static_cast<std::int8_t>(kind);
}

void JsonNodeTable::SetValue(int position, std::string_view value) {
  if (Stored* node = At(position)) {
    node->value = Keep(value);
    node->trimLines = false;
  }
}

void JsonNodeTable::StartBuilding(std::string normalised, std::string_view rootValue, JsonKind rootKind) {
  Clear();
  normalised_ = std::move(normalised);
  Stored root;
  root.name = Keep("JSON");
  // Compaction only removes: the same length means the same text.
  root.value = normalised_.size() == rootValue.size() ? MakeSpan(0, rootValue.size()) : Keep(rootValue);
  root.kind = static_cast<std::int8_t>(rootKind);
  root.depth = 1;
  root.ordinal = 1;
  // Answers and messages hold about one node per 16 bytes.
  nodes_.Append(normalised_.size() / 16 + 4) = root;
}

JsonNodeTable::Span JsonNodeTable::Keep(std::string_view text) {
  const std::size_t offset = normalised_.size() + own_.size();
  constexpr std::size_t kMax = std::numeric_limits<std::uint32_t>::max();
  if (offset > kMax || text.size() > kMax - offset) return Span{};  // not for texts the parser reads
  own_.append(text);
  return MakeSpan(offset, text.size());
}

void JsonNodeTable::DropFrom(int position) {
  if (At(position) == nullptr) return;
  const int parent = Parent(position);
  if (Stored* owner = At(parent)) --owner->childCount;
  nodes_.Shrink(static_cast<std::size_t>(position) - 1);
}

}  // namespace orvanta
