#include "tray_icon_win.h"

#include <shellapi.h>

#include "codepage.h"

namespace orvanta {
namespace {
constexpr UINT kTrayIconId = 1;
}

TrayIcon::TrayIcon(HWND window, UINT callbackMessage)
    : window_(window), callbackMessage_(callbackMessage), taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")) {}

bool TrayIcon::Notify(DWORD action) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = window_;
  data.uID = kTrayIconId;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = callbackMessage_;
  data.hIcon = icon_;
  lstrcpynW(data.szTip, tip_.c_str(), ARRAYSIZE(data.szTip));
  return Shell_NotifyIconW(action, &data) != FALSE;
}

bool TrayIcon::Add(HICON icon, std::string_view tip) {
  icon_ = icon;
  tip_ = ToWide(tip);
  wanted_ = true;
  added_ = Notify(NIM_ADD);
  return added_;
}

void TrayIcon::Update(HICON icon, std::string_view tip) {
  icon_ = icon;
  tip_ = ToWide(tip);
  if (added_) Notify(NIM_MODIFY);
}

void TrayIcon::Remove() {
  wanted_ = false;
  if (!added_) return;
  Notify(NIM_DELETE);
  added_ = false;
}

bool TrayIcon::HandleShellRestart(UINT message) {
  if (taskbarCreated_ == 0 || message != taskbarCreated_) return false;
  // A new shell knows no icons: add ours again as it is now. Should the
  // shell still have it (the broadcast came for another reason), update it.
  if (wanted_) added_ = Notify(NIM_ADD) || Notify(NIM_MODIFY);
  return true;
}

}  // namespace orvanta
