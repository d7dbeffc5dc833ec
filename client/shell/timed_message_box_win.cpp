#include "timed_message_box_win.h"

#include <windows.h>

#include "codepage.h"

namespace orvanta {
namespace {

constexpr DWORD kTimeoutMs = 5000;

// MessageBoxTimeoutW is exported by user32 but declared in no header.
using MessageBoxTimeoutW = int(WINAPI*)(HWND, LPCWSTR, LPCWSTR, UINT, WORD, DWORD);

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

}  // namespace

void TimedMessageBox(std::string_view text) {
  OwnerSearch search{GetCurrentProcessId()};
  EnumWindows(FindOwner, reinterpret_cast<LPARAM>(&search));
  const std::wstring title = ToWide(Gbk(u8"友情提醒"));
  const std::wstring message = ToWide(text);
  static const auto timed =
      reinterpret_cast<MessageBoxTimeoutW>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "MessageBoxTimeoutW"));
  if (timed != nullptr) {
    timed(search.found, message.c_str(), title.c_str(), MB_OK, 0, kTimeoutMs);
  } else {
    MessageBoxW(search.found, message.c_str(), title.c_str(), MB_OK);  // never seen: user32 has had it since XP
  }
}

}  // namespace orvanta
