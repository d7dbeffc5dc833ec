// The client's icon in the notification area. It is added again when the
// shell restarts (the "TaskbarCreated" broadcast), with its current image
// and tip.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace orvanta {

class TrayIcon {
 public:
  // Tray mouse actions arrive at `window` as `callbackMessage` with the mouse
  // message in lParam.
  TrayIcon(HWND window, UINT callbackMessage);
  ~TrayIcon() { Remove(); }
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  bool Add(HICON icon, std::string_view tip);
  void Update(HICON icon, std::string_view tip);
  void Remove();
  // Call for every message of the window: re-adds the icon after a shell
  // restart. True when the message was that broadcast.
  bool HandleShellRestart(UINT message);

 private:
  bool Notify(DWORD action);

  HWND window_;
  UINT callbackMessage_;
  UINT taskbarCreated_;
  HICON icon_ = nullptr;
  std::wstring tip_;
  bool wanted_ = false;  // between Add and Remove
  bool added_ = false;   // the shell has it
};

}  // namespace orvanta
