#include "class_registry.h"

#include <array>

#include "library_exports.h"

namespace orvanta::edgeview {
namespace {

// Registration lives for the process, like the library's table it fills.
std::array<bool, kClassCount>& RegisteredFlags() {
  static std::array<bool, kClassCount> flags{};
  return flags;
}

}  // namespace

void EnsureClassRegistered(const WrapperBlock& sample, ClassId id) {
  const int index = static_cast<int>(id);
  if (index < 0 || index >= kClassCount) return;
  bool& registered = RegisteredFlags()[static_cast<std::size_t>(index)];
  if (registered) return;
  registered = true;
  if (auto register_class = LibraryExports().Get<Export::kRegisterClass>()) register_class(&sample, id);
}

}  // namespace orvanta::edgeview
