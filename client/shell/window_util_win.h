// Small pieces every window of the client needs.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace orvanta {

// The window's text (caption, or a control's content).
std::wstring WindowTextWide(HWND window);
// The same as GBK.
std::string WindowText(HWND window);
// Whether the window belongs to the named window class.
bool HasWindowClass(HWND window, std::wstring_view className);

// The window procedure of a class whose instances own one window each: it
// ties the window to the instance given in CreateWindowEx's last argument and
// hands every message to T::Handle. T befriends it and offers
// AttachWindow(HWND), called at WM_NCCREATE, and Handle(message, wParam,
// lParam). Messages before WM_NCCREATE and after WM_NCDESTROY get the default
// handling.
template <typename T>
LRESULT CALLBACK InstanceWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->AttachWindow(window);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  return self != nullptr ? self->Handle(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace orvanta
