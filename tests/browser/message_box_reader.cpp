#include "message_box_reader.h"

namespace orvanta::testing {
namespace {

constexpr DWORD kGuardMilliseconds = 20000;

struct Search {
  DWORD process_id;
  HWND found;
};

BOOL CALLBACK CheckWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t class_name[16] = {};
  GetClassNameW(window, class_name, static_cast<int>(std::size(class_name)));
  if (owner == search->process_id && IsWindowVisible(window) && std::wstring(class_name) == L"#32770") {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// WM_GETTEXT works across processes where GetWindowText does not.
std::wstring TextOf(HWND window) {
  wchar_t text[1024] = {};
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                      &ignored);
  return text;
}

}  // namespace

std::optional<SeenMessageBox> AnswerMessageBox(DWORD process_id) {
  const DWORD start = GetTickCount();
  Search search{process_id, nullptr};
  while (search.found == nullptr) {
    if (GetTickCount() - start > kGuardMilliseconds) return std::nullopt;
    Sleep(50);
    EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&search));
  }
  SeenMessageBox seen;
  seen.title = TextOf(search.found);
  // A message box keeps its text in the static control 0xFFFF.
  seen.text = TextOf(GetDlgItem(search.found, 0xFFFF));
  PostMessageW(search.found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(search.found, IDOK)));
  return seen;
}

}  // namespace orvanta::testing
