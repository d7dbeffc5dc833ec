#include "main_window_win.h"

#include "codepage.h"
#include "resource_ids.h"
#include "message_boxes_win.h"

namespace orvanta {
namespace {

constexpr UINT_PTR kBlinkTimer = 1;  // 时钟1
constexpr UINT kBlinkPeriodMs = 1000;

// The design: title, place and size before any stored geometry applies.
constexpr int kDesignLeft = 50, kDesignTop = 50, kDesignWidth = 1240, kDesignHeight = 780;

// TrayMenu ("托盘"), in menu order.
enum TrayCommand : UINT {
  kResetConfig = 1001,  // 初始化所有配置
  kServerSettings,      // 服务器配置
  kReloadHome,          // 刷新主页
  kClearReminder,       // 清除提醒 (no action)
  kShow,                // 显示
  kExit,                // 退出
};

// wz values.
enum StoredWindowState { kNormal = 0, kCentred = 1, kMinimised = 2, kMaximised = 3 };

HICON LoadClientIcon(HINSTANCE instance, int id) {
  return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
}

void CentreOnWorkArea(HWND window) {
  RECT rect, work;
  GetWindowRect(window, &rect);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  work = monitor.rcWork;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  SetWindowPos(window, nullptr, work.left + (work.right - work.left - width) / 2,
               work.top + (work.bottom - work.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

}  // namespace

UINT BringForwardMessage() {
  static const UINT message = RegisterWindowMessageW(L"Orvanta.BringMainWindowForward");
  return message;
}

MainWindow::MainWindow(ClientConfig& config, MainWindowHost& host) : config_(config), host_(host) {}

MainWindow::~MainWindow() {
  tray_.reset();
  if (window_ != nullptr) DestroyWindow(window_);
  if (icon_ != nullptr) DestroyIcon(icon_);
  if (newMessageIcon_ != nullptr) DestroyIcon(newMessageIcon_);
}

bool MainWindow::Create(HINSTANCE instance) {
  icon_ = LoadClientIcon(instance, IDI_MAIN);
  newMessageIcon_ = LoadClientIcon(instance, IDI_NEW_MESSAGE);

  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = InstanceWindowProc<MainWindow>;
  windowClass.hInstance = instance;
  windowClass.hIcon = icon_;
  windowClass.hIconSm = icon_;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kMainWindowClass;
  RegisterClassExW(&windowClass);

  const std::wstring title = ToWide(Gbk(u8"Orvanta在线客服"));
  window_ = CreateWindowExW(0, kMainWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW, kDesignLeft, kDesignTop,
                            kDesignWidth, kDesignHeight, nullptr, nullptr, instance, this);
  if (window_ == nullptr) return false;
  ShowWindow(window_, SW_SHOW);  // the design marks the window visible
  // From here on moves and resizes are the user's: the first showing above
  // reports the design's own place.
  created_ = true;
  return true;
}

LRESULT MainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (tray_ && tray_->HandleShellRestart(message)) return 0;
  if (message == BringForwardMessage()) {
    BringForward();
    return 0;
  }
  switch (message) {
    case WM_CREATE:
      OnCreated();
      return 0;
    case WM_SIZE:
      if (created_) OnSizeChanged();
      return 0;
    case WM_MOVE:
      if (created_) SaveGeometry();
      return 0;
    case WM_CLOSE:
      // Closing hides: the window, its browser and the tray icon live on.
      ShowWindow(window_, SW_HIDE);
      SetTopmost(false);
      return 0;
    case WM_TIMER:
      if (wParam == kBlinkTimer) OnTick();
      return 0;
    case kTrayCallbackMessage:
      OnTray(lParam);
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam));
      return 0;
    case WM_NCDESTROY: {
      const HWND window = window_;
      window_ = nullptr;
      return DefWindowProcW(window, message, wParam, lParam);
    }
    default:
      return DefWindowProcW(window_, message, wParam, lParam);
  }
}

void MainWindow::OnCreated() {
  const WindowGeometry stored = config_.MainGeometry();
  if (stored.IsRestorable()) {
    SetWindowPos(window_, nullptr, stored.left, stored.top, stored.width, stored.height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  tray_ = std::make_unique<TrayIcon>(window_, kTrayCallbackMessage);
  tray_->Add(icon_, Gbk(u8"Orvanta客服系统"));
  SetTimer(window_, kBlinkTimer, kBlinkPeriodMs, nullptr);
}

void MainWindow::OnSizeChanged() {
  if (!host_.HasBrowser()) return;
  RECT client;
  GetClientRect(window_, &client);
  host_.FitBrowser(client.right, client.bottom);
  SaveGeometry();
}

void MainWindow::SaveGeometry() {
  // A minimised window's rectangle is a parking place off screen, not a size
  // to come back to.
  if (IsIconic(window_)) return;
  RECT rect;
  GetWindowRect(window_, &rect);
  config_.SaveMainGeometry({rect.right - rect.left, rect.bottom - rect.top, rect.top, rect.left});
}

void MainWindow::OnTick() {
  ++blinkTick_;
  if (unreadCount_ <= 0) return;
  tray_->Update(blinkTick_ % 2 == 1 ? icon_ : newMessageIcon_, Caption());
}

void MainWindow::ShowNormalTrayIcon() { tray_->Update(icon_, Caption()); }

void MainWindow::OnTray(LPARAM mouseMessage) {
  switch (mouseMessage) {
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
      BringForward();
      break;
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU:
      ShowTrayMenu();
      break;
    default:
      break;
  }
}

void MainWindow::ShowTrayMenu() {
  HMENU menu = CreatePopupMenu();
  const char8_t* const items[] = {u8"初始化所有配置", u8"服务器配置", u8"刷新主页", u8"清除提醒", u8"显示", u8"退出"};
  UINT command = kResetConfig;
  for (const char8_t* item : items) AppendMenuW(menu, MF_STRING, command++, ToWide(Gbk(item)).c_str());
  POINT cursor;
  GetCursorPos(&cursor);
  // The menu closes on a click elsewhere only when its owner is foreground.
  SetForegroundWindow(window_);
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, window_, nullptr);
  PostMessageW(window_, WM_NULL, 0, 0);
  DestroyMenu(menu);
}

void MainWindow::OnCommand(UINT command) {
  switch (command) {
    case kResetConfig:
      if (AskOkCancel(Gbk(u8"是否确定要初始化所有配置") + Caption() + "?")) {
        config_.DeleteAll();
        InfoBox(Gbk(u8"已初始化完成，请重启程序"));
      }
      break;
    case kServerSettings:
      host_.OpenServerSettings();
      break;
    case kReloadHome:
      host_.ReloadBrowser();
      break;
    case kShow:
      BringForward();
      break;
    case kExit:
      SetTopmost(false);
      if (AskOkCancel(Gbk(u8"是否确定要退出") + Caption() + "?")) {
        tray_->Remove();
        host_.PrepareExit();
        PostQuitMessage(0);
      }
      break;
    default:  // kClearReminder has no action
      break;
  }
}

void MainWindow::BringForward() {
  const bool topmost = (GetWindowLongPtrW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  // Already up front, held there by someone else: leave it as it is.
  if (IsWindowVisible(window_) && topmost && IsZoomed(window_)) return;
  SetTopmost(true);
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  SetFocus(window_);
  switch (config_.MainWindowState()) {
    case kCentred:
      if (IsIconic(window_) || IsZoomed(window_)) ShowWindow(window_, SW_RESTORE);
      CentreOnWorkArea(window_);
      break;
    case kMinimised:
      ShowWindow(window_, SW_MINIMIZE);
      break;
    case kMaximised:
      ShowWindow(window_, SW_MAXIMIZE);
      break;
    default:  // 0, and anything that is not a known state
      if (IsIconic(window_) || IsZoomed(window_)) ShowWindow(window_, SW_RESTORE);
      break;
  }
  SetTopmost(false);
}

void MainWindow::SetTopmost(bool on) {
  SetWindowPos(window_, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

std::string MainWindow::Caption() const { return WindowText(window_); }

void MainWindow::SetCaption(std::string_view caption) { SetWindowTextW(window_, ToWide(caption).c_str()); }

}  // namespace orvanta
