#include "timed_message_box_win.h"

#include <windows.h>

#include "codepage.h"
#include "window_util_win.h"

namespace orvanta {
namespace {

constexpr UINT kTimeoutMs = 5000;

const std::wstring& Title() {
  static const std::wstring title = ToWide(Gbk(u8"友情提醒"));
  return title;
}

struct OwnerSearch {
  DWORD process;
  HWND found = nullptr;
};

// EnumWindows walks the top-level windows in Z-order, front first.
BOOL CALLBACK FindOwner(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<OwnerSearch*>(lParam);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != search->process || !IsWindowVisible(window) || GetParent(window) != nullptr) return TRUE;
  search->found = window;
  return FALSE;
}

BOOL CALLBACK CloseTimedBox(HWND window, LPARAM) {
  if (!HasWindowClass(window, L"#32770") || WindowTextWide(window) != Title()) return TRUE;
  PostMessageW(window, WM_COMMAND, IDOK, 0);
  return FALSE;
}

// A thread timer: the box's own message loop dispatches it. It is killed
// once the box is gone, never here: its id could be another's by then.
void CALLBACK OnTimeout(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), CloseTimedBox, 0);
}

}  // namespace

// The box closes itself through a timer of our own rather than the system's
// undocumented MessageBoxTimeout, which not every Windows implementation
// honours.
void TimedMessageBox(std::string_view text) {
  OwnerSearch search{GetCurrentProcessId()};
  EnumWindows(FindOwner, reinterpret_cast<LPARAM>(&search));
  const UINT_PTR timer = SetTimer(nullptr, 0, kTimeoutMs, OnTimeout);
  MessageBoxW(search.found, ToWide(text).c_str(), Title().c_str(), MB_OK);
  if (timer != 0) KillTimer(nullptr, timer);
}

}  // namespace orvanta
