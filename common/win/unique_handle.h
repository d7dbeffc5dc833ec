// Owns one handle of any Windows kind and closes it with the function that
// kind needs. Moves, never copies.
#pragma once

#include <utility>

namespace orvanta {

template <typename Handle, auto Close, auto Invalid = Handle{}>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Invalid; }
  Handle* put() {  // for functions that return a handle through a pointer
    reset();
    return &handle_;
  }
  Handle release() { return std::exchange(handle_, Invalid); }
  void reset(Handle handle = Invalid) {
    if (handle_ != Invalid) Close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = Invalid;
};

}  // namespace orvanta
