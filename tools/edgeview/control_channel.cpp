#include "control_channel.h"

#include <algorithm>
#include <string>
#include <vector>

#include "command_line.h"
#include "events.h"
#include "standin.h"
#include "win/unique_handle.h"

namespace orvanta::standin {
namespace {

constexpr wchar_t kClassName[] = L"EdgeViewStandInControl";
constexpr UINT_PTR kPollTimer = 1;
constexpr UINT kPollMilliseconds = 25;

using FindHandle = UniqueHandle<HANDLE, FindClose>;
using FileHandle = UniqueHandle<HANDLE, CloseHandle>;

// The file functions report failure as INVALID_HANDLE_VALUE, UniqueHandle
// knows null as empty.
HANDLE OrNull(HANDLE handle) { return handle == INVALID_HANDLE_VALUE ? nullptr : handle; }

HWND control_window = nullptr;
bool polling = false;

std::vector<std::wstring> PendingCommandFiles(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  FindHandle search(OrNull(FindFirstFileW((folder + L"\\*.cmd").c_str(), &found)));
  if (!search) return names;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.emplace_back(found.cFileName);
  } while (FindNextFileW(search.get(), &found));
  std::sort(names.begin(), names.end());
  return names;
}

bool ReadWholeFile(const std::wstring& path, std::string& content) {
  FileHandle file(OrNull(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
  if (!file) return false;
  char buffer[4096];
  DWORD read = 0;
  content.clear();
  while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) content.append(buffer, read);
  return true;
}

std::string Narrow(const std::wstring& name) { return std::string(name.begin(), name.end()); }

// Runs every command file in name order and deletes it afterwards. A handler
// of the client may run a message loop inside an event (a dialog box); the
// timer then fires again and must not run the same file a second time.
void PollCommands() {
  if (polling) return;
  polling = true;
  StandIn& standin = StandIn::Get();
  const std::wstring folder = standin.Folder() + L"\\commands";
  for (const std::wstring& name : PendingCommandFiles(folder)) {
    const std::wstring path = folder + L"\\" + name;
    std::string content;
    if (!ReadWholeFile(path, content)) continue;  // still being written: next time
    for (const std::vector<std::string>& fields : ParseCommandFile(content)) {
      standin.Log().Line("Command " + JoinCommandFields(fields));
      RunCommand(fields);
    }
    DeleteFileW(path.c_str());
    standin.Log().Line("Done " + Narrow(name));
  }
  polling = false;
}

LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  try {
    if (message == WM_TIMER && wparam == kPollTimer) {
      PollCommands();
      return 0;
    }
    if (message == kDeliverWebViewCreated) {
      DeliverWebViewCreated(static_cast<edgeview::Handle>(wparam));
      return 0;
    }
  } catch (...) {
    polling = false;
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

void StartControlChannel() {
  if (control_window != nullptr) return;
  const HINSTANCE instance = StandIn::Get().Instance();
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = ControlProc;
  window_class.hInstance = instance;
  window_class.lpszClassName = kClassName;
  RegisterClassExW(&window_class);
  // Lives as long as the process: it belongs to the UI thread, which the
  // client ends by ending the process.
  control_window = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  if (control_window == nullptr) {
    StandIn::Get().Log().Line("ERROR control window not created (" + std::to_string(GetLastError()) + ")");
    return;
  }
  SetTimer(control_window, kPollTimer, kPollMilliseconds, nullptr);
}

void PostToControl(UINT message, edgeview::Handle view) {
  if (control_window == nullptr || !PostMessageW(control_window, message, view, 0)) {
    StandIn::Get().Log().Line("ERROR could not post to the control window");
  }
}

}  // namespace orvanta::standin
