#include "remote_memory.h"

#include <string>

#include "arguments.h"

namespace probe {

RemoteBuffer::RemoteBuffer(DWORD pid, std::size_t size)
    : process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid)) {
  if (!process_) throw ActionError("cannot open process " + std::to_string(pid));
  address_ = VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!address_) throw ActionError("cannot allocate memory in process " + std::to_string(pid));
}

RemoteBuffer::~RemoteBuffer() {
  if (address_) VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE);
}

void RemoteBuffer::Write(std::size_t offset, const void* data, std::size_t size) const {
  SIZE_T done = 0;
  if (!WriteProcessMemory(process_.get(), At<char>(offset), data, size, &done) || done != size) {
    throw ActionError("cannot write to another process");
  }
}

void RemoteBuffer::Read(std::size_t offset, void* data, std::size_t size) const {
  SIZE_T done = 0;
  if (!ReadProcessMemory(process_.get(), At<char>(offset), data, size, &done) || done != size) {
    throw ActionError("cannot read from another process");
  }
}

}  // namespace probe
