#include "window_enum.h"

namespace probe {
namespace {

BOOL CALLBACK Collect(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::vector<HWND> Descendants(HWND window) {
  std::vector<HWND> windows;
  EnumChildWindows(window, Collect, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

DWORD ProcessOf(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  return pid;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  const int length = GetClassNameW(window, name, 256);
  return std::wstring(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::vector<HWND> FindTopLevel(const ProcessFilter& filter, const ProcessTable& processes,
                               const std::wstring& class_name) {
  std::vector<HWND> found;
  for (HWND window : TopLevelWindows()) {
    if (!filter.Matches(ProcessOf(window), processes)) continue;
    if (!class_name.empty() && ClassOf(window) != class_name) continue;
    found.push_back(window);
  }
  return found;
}

}  // namespace probe
