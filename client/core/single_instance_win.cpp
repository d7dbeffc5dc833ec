#include "single_instance_win.h"

#include <cwctype>
#include <string>

#include "codepage.h"
#include "main_window_win.h"
#include "window_util_win.h"

namespace orvanta {
namespace {

constexpr wchar_t kFolderProperty[] = L"Orvanta.ClientFolder";

// FNV-1a over the folder path, case-folded as Windows compares paths.
unsigned FolderKey(std::string_view runDirectory) {
  unsigned key = 2166136261u;
  for (wchar_t c : ToWide(runDirectory)) {
    key = (key ^ static_cast<unsigned>(std::towlower(c))) * 16777619u;
  }
  return key == 0 ? 1 : key;  // 0 is no property at all
}

struct Search {
  unsigned key;
  HWND found = nullptr;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<Search*>(lParam);
  if (!HasWindowClass(window, kMainWindowClass)) return TRUE;
  if (reinterpret_cast<UINT_PTR>(GetPropW(window, kFolderProperty)) != search->key) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

SingleInstance::SingleInstance(std::string_view runDirectory) : folderKey_(FolderKey(runDirectory)) {
  const std::wstring name = L"Local\\Orvanta.Client." + std::to_wstring(folderKey_);
  mutex_.reset(CreateMutexW(nullptr, FALSE, name.c_str()));
  first_ = !(mutex_ && GetLastError() == ERROR_ALREADY_EXISTS);
}

void SingleInstance::ActivateRunningClient() const {
  Search search{folderKey_};
  EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
  if (search.found == nullptr) return;  // still starting: it shows itself
  DWORD process = 0;
  GetWindowThreadProcessId(search.found, &process);
  AllowSetForegroundWindow(process);  // we are the foreground process; let it take over
  PostMessageW(search.found, BringForwardMessage(), 0, 0);
}

void SingleInstance::MarkMainWindow(HWND mainWindow) const {
  SetPropW(mainWindow, kFolderProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(folderKey_)));
}

}  // namespace orvanta
