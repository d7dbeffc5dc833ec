// Entry point of the client.
#include <windows.h>

#include "client_app_win.h"
#include "codepage.h"
#include "single_instance_win.h"

namespace {

// The folder of the program file, without a trailing backslash.
std::string RunDirectory() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  path.resize(path.find_last_of(L"\\/") == std::wstring::npos ? 0 : path.find_last_of(L"\\/"));
  return orvanta::FromWide(path);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const std::string runDirectory = RunDirectory();
  const orvanta::SingleInstance instanceLock(runDirectory);
  if (!instanceLock.IsFirst()) {
    instanceLock.ActivateRunningClient();
    return 0;
  }
  orvanta::ClientApp app(instance, runDirectory);
  if (!app.Start()) return 1;
  instanceLock.MarkMainWindow(app.MainWindowHandle());
  return app.Run();
}
