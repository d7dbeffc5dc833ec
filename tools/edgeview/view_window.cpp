#include "view_window.h"

#include <algorithm>
#include <string>

#include "codepage.h"
#include "standin.h"

namespace orvanta::standin {
namespace {

constexpr wchar_t kClassName[] = L"EdgeViewStandIn";

std::wstring Utf8ToWide(const std::string& utf8) {
  std::u16string utf16;
  if (!Utf8ToUtf16(utf8, utf16)) return L"?";
  return std::wstring(utf16.begin(), utf16.end());
}

void Paint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  const auto view = static_cast<ev::Handle>(GetWindowLongPtrW(window, GWLP_USERDATA));
  std::wstring text = L"edgeview stand-in, web view " + std::to_wstring(view) + L"\r\n";
  if (const Object* object = StandIn::Get().FindAny(view)) {
    text += L"address: " + ToWide(object->url) + L"\r\n\r\nlast events:\r\n";
    for (const std::string& line : object->recent) text += L"  " + Utf8ToWide(line) + L"\r\n";
  }
  RECT area;
  GetClientRect(window, &area);
  InflateRect(&area, -6, -6);
  const HGDIOBJ old_font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, DT_LEFT | DT_TOP | DT_NOPREFIX | DT_WORDBREAK);
  SelectObject(dc, old_font);
  EndPaint(window, &paint);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT) {
    Paint(window);
    return 0;
  }
  if (message == WM_NCDESTROY) {
    // Gone with its parent while the web view lives on: the web view must
    // not destroy the handle later, when it may name another window.
    const auto view = static_cast<ev::Handle>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (Object* object = StandIn::Get().FindAny(view); object != nullptr && object->window.get() == window) {
      object->window.release();
    }
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

bool RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = kClassName;
  return RegisterClassExW(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

HWND CreateViewWindow(const ev::WebViewOptions* options, ev::Handle view) {
  if (!IsWindow(options->parent)) return nullptr;
  const HINSTANCE instance = StandIn::Get().Instance();
  static const bool registered = RegisterWindowClass(instance);
  if (!registered) return nullptr;
  HWND window = CreateWindowExW(WS_EX_CLIENTEDGE, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                                options->left, options->top, std::max(0L, long{options->right - options->left}),
                                std::max(0L, long{options->bottom - options->top}), options->parent, nullptr,
                                instance, nullptr);
  if (window != nullptr) SetWindowLongPtrW(window, GWLP_USERDATA, static_cast<LONG_PTR>(view));
  return window;
}

void MoveViewWindow(HWND window, const ev::Bounds& bounds) {
  SetWindowPos(window, nullptr, bounds.left, bounds.top, std::max(0L, long{bounds.right - bounds.left}),
               std::max(0L, long{bounds.bottom - bounds.top}), SWP_NOZORDER | SWP_NOACTIVATE);
}

void RefreshViewWindow(HWND window) { InvalidateRect(window, nullptr, TRUE); }

}  // namespace orvanta::standin
