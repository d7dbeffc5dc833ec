// Memory inside another process, for the few common-control messages that
// carry a pointer and that Windows (and Wine) do not copy across processes:
// the message is sent with the remote address and the result read back.
#pragma once

#include <windows.h>

#include <cstddef>

#include "win/unique_handle.h"

namespace probe {

inline void CloseProcessHandle(HANDLE process) { CloseHandle(process); }
using UniqueProcess = orvanta::UniqueHandle<HANDLE, CloseProcessHandle>;

class RemoteBuffer {
 public:
  // Throws ActionError when the process cannot be opened or lacks memory.
  RemoteBuffer(DWORD pid, std::size_t size);
  ~RemoteBuffer();
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  void* Address() const { return address_; }
  template <typename T>
  T* At(std::size_t offset) const {
    return reinterpret_cast<T*>(static_cast<char*>(address_) + offset);
  }
  void Write(std::size_t offset, const void* data, std::size_t size) const;
  void Read(std::size_t offset, void* data, std::size_t size) const;

 private:
  UniqueProcess process_;
  void* address_ = nullptr;
};

}  // namespace probe
