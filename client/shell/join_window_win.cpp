#include "join_window_win.h"

#include "codepage.h"

namespace orvanta {
namespace {

constexpr wchar_t kWindowClass[] = L"OrvantaJoinServerWindow";

enum ControlId : int {
  kGroupBox1 = 201,   // 分组框1
  kLabel4,            // 标签4
  kEditLoginUrl,      // 编辑框loginurl
  kButton1,           // 按钮1
  kLabel3,            // 标签3
  kEditServerNumber,  // 编辑框1
  kLabel2,            // 标签2
  kLabel1,            // 标签1
};

struct ControlDesign {
  ControlId id;
  const wchar_t* windowClass;
  DWORD style;
  int left, top, width, height;  // in the window's client area
  const char8_t* text;
};

// The group box's children are placed relative to it (232, 16).
constexpr int kGroupLeft = 232, kGroupTop = 16;

const ControlDesign kDesign[] = {
    {kGroupBox1, L"BUTTON", BS_GROUPBOX, kGroupLeft, kGroupTop, 208, 184, u8"自定义登入地址"},
    {kLabel4, L"STATIC", SS_LEFT, kGroupLeft + 8, kGroupTop + 104, 184, 64,
     u8"如果站点配置文件有修改自定义登入地址，请在上面填写已修改的正确地址。"},
    {kEditLoginUrl, L"EDIT", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, kGroupLeft + 8, kGroupTop + 40, 192, 32, u8""},
    {kButton1, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 48, 104, 152, 32, u8"连接加入"},
    {kLabel3, L"STATIC", SS_LEFT, 32, 144, 184, 64,
     u8"无服务器编号？在部署的站点后台登入root超级管理员，右边菜单查看服务器编号设置"},
    {kEditServerNumber, L"EDIT", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 40, 72, 176, 24, u8""},
    {kLabel2, L"STATIC", SS_LEFT, 40, 48, 184, 16, u8"Orvanta服务器由购买方自行提供"},
    {kLabel1, L"STATIC", SS_LEFT, 40, 16, 192, 32, u8"搜索服务器编号加入"},
};

constexpr int kLeft = 50, kTop = 50, kWidth = 468, kHeight = 250;

std::string ControlText(HWND window, int id) { return WindowText(GetDlgItem(window, id)); }

}  // namespace

JoinServerWindow::~JoinServerWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
}

bool JoinServerWindow::Load(HINSTANCE instance) {
  if (window_ != nullptr) return true;
  static const ATOM registered = [instance] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = InstanceWindowProc<JoinServerWindow>;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassExW(&windowClass);
  }();
  if (registered == 0) return false;
  const std::wstring title = ToWide(Gbk(u8"加入Orvanta服务器"));
  // Fixed size: a caption with close and minimise buttons, no sizing border.
  CreateWindowExW(0, kWindowClass, title.c_str(), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, kLeft,
                  kTop, kWidth, kHeight, nullptr, nullptr, instance, this);
  return window_ != nullptr;
}

void JoinServerWindow::ShowModal(HINSTANCE instance, HWND owner) {
  if (!Load(instance)) return;
  const bool ownerWasEnabled = owner != nullptr && IsWindowEnabled(owner);
  if (ownerWasEnabled) EnableWindow(owner, FALSE);
  Show();
  MSG message;
  while (window_ != nullptr && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(window_, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  if (message.message == WM_QUIT) PostQuitMessage(static_cast<int>(message.wParam));  // for the outer loop
  if (ownerWasEnabled) EnableWindow(owner, TRUE);
}

void JoinServerWindow::Show() {
  if (window_ == nullptr) return;
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
}

void JoinServerWindow::Hide() {
  if (window_ != nullptr) ShowWindow(window_, SW_HIDE);
}

void JoinServerWindow::SetTopmost(bool on) {
  if (window_ == nullptr) return;
  SetWindowPos(window_, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void JoinServerWindow::EnableJoinButton(bool enabled) {
  if (window_ != nullptr) EnableWindow(GetDlgItem(window_, kButton1), enabled);
}

std::string JoinServerWindow::ServerNumberText() const {
  return window_ != nullptr ? ControlText(window_, kEditServerNumber) : std::string();
}

std::string JoinServerWindow::LoginUrlText() const {
  return window_ != nullptr ? ControlText(window_, kEditLoginUrl) : std::string();
}

LRESULT JoinServerWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateControls();
      SetDlgItemTextW(window_, kEditServerNumber, ToWide(host_.ServerNumber()).c_str());
      SetDlgItemTextW(window_, kEditLoginUrl, ToWide(host_.StoredLoginUrl()).c_str());
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == kButton1 && HIWORD(wParam) == BN_CLICKED) host_.OnJoinClicked();
      return 0;
    case WM_NCDESTROY: {
      const HWND window = window_;
      window_ = nullptr;  // closed: loaded again on demand
      return DefWindowProcW(window, message, wParam, lParam);
    }
    default:
      return DefWindowProcW(window_, message, wParam, lParam);
  }
}

void JoinServerWindow::CreateControls() {
  // The design's font: SimSun at 9 points, as the rest of the client's windows.
  font_.reset(CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"SimSun"));
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
  for (const ControlDesign& design : kDesign) {
    const HWND control = CreateWindowExW(0, design.windowClass, ToWide(Gbk(design.text)).c_str(),
                                         WS_CHILD | WS_VISIBLE | design.style, design.left, design.top, design.width,
                                         design.height, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.id)),
                                         instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  }
}

}  // namespace orvanta
