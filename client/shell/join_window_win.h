// JoinServerWindow ("加入Orvanta服务器"): where the user enters the server
// number and the login path. Closing it destroys it; it is loaded again on
// demand.
#pragma once

#include <windows.h>

#include <string>

#include "win/unique_handle.h"
#include "window_util_win.h"

namespace orvanta {

class JoinWindowHost {
 public:
  virtual ~JoinWindowHost() = default;
  virtual std::string ServerNumber() const = 0;    // shown in 编辑框1 on creation
  virtual std::string StoredLoginUrl() const = 0;  // shown in 编辑框loginurl on creation
  virtual void OnJoinClicked() = 0;                // 按钮1
};

class JoinServerWindow {
 public:
  explicit JoinServerWindow(JoinWindowHost& host) : host_(host) {}
  ~JoinServerWindow();
  JoinServerWindow(const JoinServerWindow&) = delete;
  JoinServerWindow& operator=(const JoinServerWindow&) = delete;

  // Creates the window hidden, as its design marks it.
  bool Load(HINSTANCE instance);
  // Loads the window and waits until the user closes it, with `owner`
  // disabled meanwhile.
  void ShowModal(HINSTANCE instance, HWND owner);
  bool Exists() const { return window_ != nullptr; }
  HWND handle() const { return window_; }
  void Show();
  void Hide();
  void SetTopmost(bool on);
  void EnableJoinButton(bool enabled);

  std::string ServerNumberText() const;  // 编辑框1
  std::string LoginUrlText() const;      // 编辑框loginurl

 private:
  friend LRESULT CALLBACK InstanceWindowProc<JoinServerWindow>(HWND, UINT, WPARAM, LPARAM);
  void AttachWindow(HWND window) { window_ = window; }
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls();

  static void DeleteFont(HFONT font) { DeleteObject(font); }

  JoinWindowHost& host_;
  HWND window_ = nullptr;
  UniqueHandle<HFONT, DeleteFont> font_;
};

}  // namespace orvanta
