// One client per program folder: a second start brings the running client's
// main window forward and ends, so there are never two tray icons.
#pragma once

#include <windows.h>

#include <string_view>

#include "win/unique_handle.h"

namespace orvanta {

class SingleInstance {
 public:
  explicit SingleInstance(std::string_view runDirectory);
  // False when a client from the same folder already runs.
  bool IsFirst() const { return first_; }
  // Asks the running client of this folder to come forward.
  void ActivateRunningClient() const;
  // Marks `mainWindow` as the one a second start of this folder looks for.
  void MarkMainWindow(HWND mainWindow) const;

 private:
  static void CloseMutex(HANDLE handle) { CloseHandle(handle); }

  unsigned folderKey_;
  UniqueHandle<HANDLE, CloseMutex> mutex_;
  bool first_ = true;
};

}  // namespace orvanta
