// The client's main window: hosts the main browser, keeps its size and place
// in config.ini, owns the tray icon and its menu, and hides instead of
// closing. The process ends only through the tray menu's "退出".
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "client_config.h"
#include "tray_icon_win.h"
#include "window_util_win.h"

namespace orvanta {

// Tray mouse actions reach the main window as this message (lParam: the mouse
// message). Tests send it to simulate clicks on the tray icon.
inline constexpr UINT kTrayCallbackMessage = WM_APP + 1;

inline constexpr wchar_t kMainWindowClass[] = L"OrvantaMainWindow";

// Posted to the main window by a second start of the client from the same
// folder: the window comes forward.
UINT BringForwardMessage();

// What the main window needs from the rest of the client.
class MainWindowHost {
 public:
  virtual ~MainWindowHost() = default;
  virtual bool HasBrowser() const = 0;
  virtual void FitBrowser(int width, int height) = 0;  // client-area size
  virtual void ReloadBrowser() = 0;
  virtual void OpenServerSettings() = 0;  // "服务器配置"
  virtual void PrepareExit() = 0;         // release what must go before the process ends
};

class MainWindow {
 public:
  MainWindow(ClientConfig& config, MainWindowHost& host);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Loads the window (visible, at the stored geometry) with its tray icon.
  bool Create(HINSTANCE instance);
  HWND handle() const { return window_; }

  // Fits the browser to the client area and saves the geometry; nothing
  // while there is no browser.
  void OnSizeChanged();
  void BringForward();
  // Conversations waiting; more than 0 makes the tray icon blink.
  void SetUnreadCount(int count) { unreadCount_ = count; }
  int unreadCount() const { return unreadCount_; }
  // The tray icon shows the window icon again, with the caption as its tip.
  void ShowNormalTrayIcon();

  std::string Caption() const;
  void SetCaption(std::string_view caption);

 private:
  friend LRESULT CALLBACK InstanceWindowProc<MainWindow>(HWND, UINT, WPARAM, LPARAM);
  void AttachWindow(HWND window) { window_ = window; }
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCreated();
  void SaveGeometry();
  void OnTick();
  void OnTray(LPARAM mouseMessage);
  void ShowTrayMenu();
  void OnCommand(UINT command);
  void SetTopmost(bool on);

  ClientConfig& config_;
  MainWindowHost& host_;
  HWND window_ = nullptr;
  bool created_ = false;  // geometry is saved only once creation is over
  HICON icon_ = nullptr;
  HICON newMessageIcon_ = nullptr;
  std::unique_ptr<TrayIcon> tray_;
  unsigned blinkTick_ = 0;
  int unreadCount_ = 0;
};

}  // namespace orvanta
