// The common part of every browser wrapper: three words the library knows
// (routine table, handle, method table) and the reference each filled wrapper
// holds on its library object.
//
// A wrapper with handle 0 is empty: its operations call nothing and return 0,
// false, "" or an empty wrapper. Copying a filled wrapper takes a reference of
// its own (edgeview_ObjectAddRef), moving hands the reference over, and
// destroying gives it back (edgeview_ObjectRelease, called for an empty
// wrapper too, where the library ignores handle 0). So every copy is released
// exactly once and stays valid until it is destroyed.
#pragma once

#include <string>

#include "class_registry.h"
#include "edgeview_abi.h"
#include "library_exports.h"

namespace orvanta {

class EdgeLibrary;

namespace edgeview {

// The client's routines for blocks of class Id, for the library to use on
// blocks it makes; they keep the same reference rule as the wrappers.
template <ClassId Id>
void __stdcall DestroyRoutine(WrapperBlock* self) {
  if (self == nullptr) return;
  ReleaseObject(self->handle, Id);
  self->handle = 0;
}

template <ClassId Id>
void __stdcall CopyRoutine(WrapperBlock* self, const WrapperBlock* from) {
  if (self == nullptr || from == nullptr) return;
  *self = *from;
  AddObjectRef(self->handle, Id);
}

template <ClassId Id>
inline constexpr WrapperRoutines kRoutines{&DestroyRoutine<Id>, &CopyRoutine<Id>};

}  // namespace edgeview

template <edgeview::ClassId Id>
class EdgeObject {
 public:
  static constexpr edgeview::ClassId kClassId = Id;

  // Empty. The first wrapper of a class registers the class.
  EdgeObject() { edgeview::EnsureClassRegistered(block_, Id); }

  // A kept copy of a block the library lends for the length of a call (the
  // objects of events): a reference of its own. Null reads as empty.
  explicit EdgeObject(const edgeview::WrapperBlock* lent) : EdgeObject() {
    if (lent != nullptr) Hold(*lent);
  }

  EdgeObject(const EdgeObject& other) : block_(kEmpty) { Hold(other.block_); }
  EdgeObject(EdgeObject&& other) noexcept : block_(kEmpty) { Take(other); }

  EdgeObject& operator=(const EdgeObject& other) {
    const edgeview::WrapperBlock old = block_;
    Hold(other.block_);  // before the release: `other` may hold the same object
    edgeview::ReleaseObject(old.handle, Id);
    return *this;
  }

  EdgeObject& operator=(EdgeObject&& other) noexcept {
    if (this != &other) {
      const edgeview::WrapperBlock old = block_;
      Take(other);
      edgeview::ReleaseObject(old.handle, Id);
    }
    return *this;
  }

  ~EdgeObject() { edgeview::ReleaseObject(block_.handle, Id); }

  bool IsEmpty() const { return block_.handle == 0; }
  // To pass this object to a method of another.
  edgeview::Handle GetHandle() const { return block_.handle; }

 protected:
  // Calls method M with the handle and `args`; 0 and no call when empty.
  template <typename M, typename... A>
  edgeview::Value Call(A... args) const {
    const auto method = Method<M>();
    return method != nullptr ? method(block_.handle, args...) : 0;
  }

  // A method whose result is a library text: copied, and the block freed.
  template <typename M, typename... A>
  std::string CallForText(A... args) const {
    const auto method = Method<M>();
    return method != nullptr ? edgeview::TakeLibraryText(method(block_.handle, args...)) : std::string();
  }

  // A method whose result is data through two out-arguments (block, length):
  // copied, and the block freed.
  template <typename M, typename... A>
  std::string CallForData(A... args) const {
    const auto method = Method<M>();
    if (method == nullptr) return {};
    void* data = nullptr;
    edgeview::Value length = 0;
    method(block_.handle, args..., &data, &length);
    return edgeview::TakeLibraryData(data, length);
  }

  // A method whose result is an object: the library fills a fresh wrapper of
  // the result class, passed as the last argument.
  template <typename M, typename Result, typename... A>
  Result CallForObject(A... args) const {
    Result result;
    if (const auto method = Method<M>()) method(block_.handle, args..., &result.block_);
    return result;
  }

 private:
  template <edgeview::ClassId>
  friend class EdgeObject;
  friend class EdgeLibrary;  // fills a fresh environment wrapper

  static constexpr edgeview::WrapperBlock kEmpty{&edgeview::kRoutines<Id>, 0, nullptr};

  template <typename M>
  typename M::Fn Method() const {
    static_assert(M::kIndex >= 0 && M::kIndex < edgeview::kMethodCount[static_cast<int>(Id)],
                  "method index outside the class's table");
    if (block_.handle == 0 || block_.methods == nullptr) return nullptr;
    return reinterpret_cast<typename M::Fn>(block_.methods[M::kIndex]);
  }

  // Becomes a copy of `block` with a reference of its own.
  void Hold(const edgeview::WrapperBlock& block) {
    block_ = {&edgeview::kRoutines<Id>, block.handle, block.methods};
    edgeview::AddObjectRef(block_.handle, Id);
  }

  void Take(EdgeObject& other) {
    block_ = other.block_;
    other.block_ = kEmpty;
  }

  edgeview::WrapperBlock block_ = kEmpty;
};

}  // namespace orvanta
