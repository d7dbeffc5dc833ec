// The processes running in the prefix, read once from a ToolHelp snapshot:
// windows name their process by id, tests name it by file name.
#pragma once

#include <windows.h>

#include <map>
#include <string>

namespace probe {

struct ProcessEntry {
  DWORD parent_pid = 0;
  std::wstring exe;  // file name only, e.g. "tesmor.dll"
};

class ProcessTable {
 public:
  ProcessTable();
  // The file name of a process, or "" when it has ended meanwhile.
  std::wstring ExeOf(DWORD pid) const;
  const std::map<DWORD, ProcessEntry>& Entries() const { return entries_; }

 private:
  std::map<DWORD, ProcessEntry> entries_;
};

// Which processes a listing keeps: all, one id, or one file name (compared
// without regard to case, as Windows compares file names).
struct ProcessFilter {
  DWORD pid = 0;
  std::wstring exe;
  bool Matches(DWORD window_pid, const ProcessTable& processes) const;
};

}  // namespace probe
