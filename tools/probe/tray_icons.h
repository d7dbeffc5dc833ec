// The notification-area icons of the prefix's virtual desktop.
//
// Wine's explorer draws the icons on its "Shell_TrayWnd" window itself (no
// window per icon) and gives each icon a tooltip window of its own, owned
// by the tray, whose one tool covers the icon with the icon's tip text.
// Those tooltips are what can be read from outside. Tooltip tools are not
// copied between processes by SendMessage, so they are read through a
// buffer inside explorer's process.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace probe {

struct TrayIcon {
  HWND tray = nullptr;     // the window the icon is drawn on
  HWND tooltip = nullptr;  // the icon's tooltip window
  RECT in_tray{};          // the icon's place in the tray's client area
  std::wstring tip;
};

// Right to left, as the taskbar adds them: index 0 is the oldest icon.
std::vector<TrayIcon> ReadTrayIcons();

enum class TrayMouse { kLeft, kRight, kDouble };

// Posts the mouse messages of a click on the icon to the tray window, which
// passes them on to the icon's program with the program's own callback
// message, exactly as for a user's click.
void ClickTrayIcon(const TrayIcon& icon, TrayMouse mouse);

}  // namespace probe
