#include "process_table.h"

#include <tlhelp32.h>

#include "win/unique_handle.h"

namespace probe {
namespace {

void CloseSnapshot(HANDLE handle) { CloseHandle(handle); }
using Snapshot = orvanta::UniqueHandle<HANDLE, CloseSnapshot>;

// CreateToolhelp32Snapshot fails with INVALID_HANDLE_VALUE, which cannot
// be a template argument; the owner keeps null for "none" instead.
HANDLE NullIfInvalid(HANDLE handle) { return handle == INVALID_HANDLE_VALUE ? nullptr : handle; }

}  // namespace

ProcessTable::ProcessTable() {
  Snapshot snapshot(NullIfInvalid(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0)));
  if (!snapshot) return;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    entries_[entry.th32ProcessID] = ProcessEntry{entry.th32ParentProcessID, entry.szExeFile};
  }
}

std::wstring ProcessTable::ExeOf(DWORD pid) const {
  const auto found = entries_.find(pid);
  return found == entries_.end() ? std::wstring() : found->second.exe;
}

bool ProcessFilter::Matches(DWORD window_pid, const ProcessTable& processes) const {
  if (pid != 0 && window_pid != pid) return false;
  if (!exe.empty() && lstrcmpiW(processes.ExeOf(window_pid).c_str(), exe.c_str()) != 0) return false;
  return true;
}

}  // namespace probe
