#include "window_facts.h"

#include <vector>

#include "window_enum.h"

namespace probe {
namespace {

// Long enough for a busy program, short enough that a hung one does not
// stall a listing.
constexpr UINT kTextTimeoutMs = 2000;

bool IsCheckable(HWND control) {
  if (ClassOf(control) != L"Button") return false;
  switch (GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return true;
    default:
      return false;
  }
}

}  // namespace

std::wstring WindowText(HWND window) {
  DWORD_PTR length = 0;
  if (SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTextTimeoutMs,
                          &length)) {
    std::vector<wchar_t> buffer(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                            SMTO_ABORTIFHUNG, kTextTimeoutMs, &copied)) {
      return std::wstring(buffer.data(), copied < buffer.size() ? copied : length);
    }
  }
  wchar_t stored[1024] = {};
  const int stored_length = InternalGetWindowText(window, stored, 1024);
  return std::wstring(stored, stored_length > 0 ? static_cast<std::size_t>(stored_length) : 0);
}

JsonObject RectJson(const RECT& rect) {
  JsonObject json;
  json.Add("x", static_cast<int>(rect.left))
      .Add("y", static_cast<int>(rect.top))
      .Add("width", static_cast<int>(rect.right - rect.left))
      .Add("height", static_cast<int>(rect.bottom - rect.top));
  return json;
}

JsonObject TopLevelFacts(HWND window, const ProcessTable& processes) {
  const DWORD pid = ProcessOf(window);
  RECT rect{};
  GetWindowRect(window, &rect);
  RECT client{};
  GetClientRect(window, &client);
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  const LONG ex_style = GetWindowLongW(window, GWL_EXSTYLE);

  JsonObject client_size;
  client_size.Add("width", static_cast<int>(client.right)).Add("height", static_cast<int>(client.bottom));

  JsonObject json;
  json.AddWindow("hwnd", window)
      .Add("pid", static_cast<unsigned>(pid))
      .Add("exe", processes.ExeOf(pid))
      .Add("caption", WindowText(window))
      .Add("class", ClassOf(window))
      .Add("rect", RectJson(rect))
      .Add("client", client_size)
      .Add("visible", IsWindowVisible(window) != FALSE)
      .Add("enabled", IsWindowEnabled(window) != FALSE)
      .Add("topmost", (ex_style & WS_EX_TOPMOST) != 0)
      .Add("minimized", IsIconic(window) != FALSE)
      .Add("maximized", IsZoomed(window) != FALSE)
      .AddWindow("owner", GetWindow(window, GW_OWNER))
      .Add("foreground", GetForegroundWindow() == window)
      .Add("style", static_cast<unsigned>(style))
      .Add("exStyle", static_cast<unsigned>(ex_style));
  return json;
}

JsonObject ControlFacts(HWND top, HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  // Screen to the top-level window's client coordinates: the numbers a
  // window design states.
  MapWindowPoints(HWND_DESKTOP, top, reinterpret_cast<POINT*>(&rect), 2);

  JsonObject json;
  json.AddWindow("hwnd", control)
      .AddWindow("parent", GetAncestor(control, GA_PARENT))
      .Add("id", GetDlgCtrlID(control))
      .Add("class", ClassOf(control))
      .Add("text", WindowText(control))
      .Add("rect", RectJson(rect))
      .Add("visible", IsWindowVisible(control) != FALSE)
      .Add("enabled", IsWindowEnabled(control) != FALSE)
      .Add("style", static_cast<unsigned>(GetWindowLongW(control, GWL_STYLE)));
  if (IsCheckable(control)) {
    DWORD_PTR state = 0;
    SendMessageTimeoutW(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kTextTimeoutMs, &state);
    json.Add("checked", state == BST_CHECKED);
  }
  return json;
}

}  // namespace probe
