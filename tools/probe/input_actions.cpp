#include "input_actions.h"

#include "arguments.h"
#include "json_line.h"

namespace probe {
namespace {

void Post(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (!PostMessageW(window, message, wparam, lparam)) {
    throw ActionError("PostMessage failed, error " + std::to_string(GetLastError()));
  }
}

// The lParam a keyboard delivers for the Enter key: repeat count 1, the
// key's scan code, and for the release the previous-state and transition
// bits.
LPARAM EnterKeyData(bool release) {
  const UINT scan = MapVirtualKeyW(VK_RETURN, MAPVK_VK_TO_VSC);
  LPARAM data = 1 | static_cast<LPARAM>(scan << 16);
  if (release) data |= static_cast<LPARAM>(0xC0000000u);
  return data;
}

}  // namespace

void RequireReachable(HWND control) {
  const HWND top = GetAncestor(control, GA_ROOT);
  if (!IsWindowVisible(control)) throw ActionError("the control is hidden");
  if (!IsWindowEnabled(control)) throw ActionError("the control is disabled");
  if (top != control && !IsWindowEnabled(top)) {
    throw ActionError("its window is disabled (a modal dialog is open?)");
  }
}

void Click(HWND button) { Post(button, BM_CLICK, 0, 0); }

void SetText(HWND control, const std::wstring& text) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                           SMTO_ABORTIFHUNG, 5000, &result) ||
      !result) {
    throw ActionError("WM_SETTEXT failed");
  }
}

void Type(HWND control, const std::wstring& text) {
  for (wchar_t unit : text) Post(control, WM_CHAR, unit, 1);
}

void PressEnter(HWND control) {
  Post(control, WM_KEYDOWN, VK_RETURN, EnterKeyData(false));
  Post(control, WM_CHAR, L'\r', EnterKeyData(false));
  Post(control, WM_KEYUP, VK_RETURN, EnterKeyData(true));
}

void Close(HWND window) { Post(window, WM_CLOSE, 0, 0); }

void Place(HWND window, int x, int y, const int* width, const int* height) {
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  if (!width) flags |= SWP_NOSIZE;
  if (!SetWindowPos(window, nullptr, x, y, width ? *width : 0, height ? *height : 0, flags)) {
    throw ActionError("SetWindowPos failed, error " + std::to_string(GetLastError()));
  }
}

void ChangeShowState(HWND window, const std::wstring& state) {
  struct Named {
    const wchar_t* name;
    int command;
  };
  static constexpr Named kStates[] = {
      {L"show", SW_SHOW},         {L"hide", SW_HIDE},       {L"minimize", SW_MINIMIZE},
      {L"maximize", SW_MAXIMIZE}, {L"restore", SW_RESTORE}, {L"showna", SW_SHOWNA},
  };
  for (const auto& named : kStates) {
    if (state == named.name) {
      ShowWindowAsync(window, named.command);
      return;
    }
  }
  throw UsageError("unknown show state: " + ToUtf8(state));
}

}  // namespace probe
