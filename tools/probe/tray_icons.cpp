#include "tray_icons.h"

#include <commctrl.h>

#include <algorithm>

#include "arguments.h"
#include "remote_memory.h"
#include "window_enum.h"

namespace probe {
namespace {

constexpr UINT kTimeoutMs = 2000;
constexpr std::size_t kTextChars = 1024;  // longer than any tip or tool text

bool IsBalloon(HWND tooltip) { return (GetWindowLongW(tooltip, GWL_STYLE) & TTS_BALLOON) != 0; }

// The first tool of an icon's tooltip: its rectangle and text, read through
// a buffer in the tray's process.
bool ReadTool(HWND tooltip, DWORD tray_pid, TrayIcon& icon) {
  RemoteBuffer remote(tray_pid, sizeof(TTTOOLINFOW) + kTextChars * sizeof(wchar_t));
  TTTOOLINFOW info{};
  info.cbSize = sizeof info;
  info.lpszText = remote.At<wchar_t>(sizeof(TTTOOLINFOW));
  remote.Write(0, &info, sizeof info);
  const wchar_t empty = L'\0';
  remote.Write(sizeof(TTTOOLINFOW), &empty, sizeof empty);

  DWORD_PTR found = 0;
  if (!SendMessageTimeoutW(tooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(remote.Address()),
                           SMTO_ABORTIFHUNG, kTimeoutMs, &found) ||
      !found) {
    return false;
  }
  remote.Read(0, &info, sizeof info);
  std::vector<wchar_t> text(kTextChars);
  remote.Read(sizeof(TTTOOLINFOW), text.data(), kTextChars * sizeof(wchar_t));
  text.back() = L'\0';
  icon.in_tray = info.rect;
  icon.tip = text.data();
  return true;
}

}  // namespace

std::vector<TrayIcon> ReadTrayIcons() {
  std::vector<TrayIcon> icons;
  const std::vector<HWND> windows = TopLevelWindows();
  for (HWND tray : windows) {
    if (ClassOf(tray) != L"Shell_TrayWnd") continue;
    for (HWND tooltip : windows) {
      if (GetWindow(tooltip, GW_OWNER) != tray || ClassOf(tooltip) != TOOLTIPS_CLASSW ||
          IsBalloon(tooltip)) {
        continue;
      }
      TrayIcon icon;
      icon.tray = tray;
      icon.tooltip = tooltip;
      // Wine keeps the tooltip of a removed or hidden icon, with an empty
      // rectangle: only icons with a place in the tray are shown.
      if (ReadTool(tooltip, ProcessOf(tray), icon) && !IsRectEmpty(&icon.in_tray)) icons.push_back(icon);
    }
  }
  std::sort(icons.begin(), icons.end(), [](const TrayIcon& a, const TrayIcon& b) {
    return a.in_tray.left > b.in_tray.left;
  });
  return icons;
}

void ClickTrayIcon(const TrayIcon& icon, TrayMouse mouse) {
  const int x = (icon.in_tray.left + icon.in_tray.right) / 2;
  const int y = (icon.in_tray.top + icon.in_tray.bottom) / 2;
  const LPARAM at = MAKELPARAM(x, y);
  struct Step {
    UINT message;
    WPARAM keys;
  };
  std::vector<Step> steps;
  switch (mouse) {
    case TrayMouse::kLeft:
      steps = {{WM_LBUTTONDOWN, MK_LBUTTON}, {WM_LBUTTONUP, 0}};
      break;
    case TrayMouse::kRight:
      steps = {{WM_RBUTTONDOWN, MK_RBUTTON}, {WM_RBUTTONUP, 0}};
      break;
    case TrayMouse::kDouble:  // the order Windows delivers a double click in
      steps = {{WM_LBUTTONDOWN, MK_LBUTTON}, {WM_LBUTTONUP, 0}, {WM_LBUTTONDBLCLK, MK_LBUTTON},
               {WM_LBUTTONUP, 0}};
      break;
  }
  for (const Step& step : steps) {
    if (!PostMessageW(icon.tray, step.message, step.keys, at)) {
      throw ActionError("PostMessage to the tray failed, error " + std::to_string(GetLastError()));
    }
  }
}

}  // namespace probe
