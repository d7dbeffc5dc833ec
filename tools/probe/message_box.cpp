#include "message_box.h"

#include <vector>

#include "arguments.h"
#include "window_enum.h"
#include "window_facts.h"

namespace probe {
namespace {

// MessageBox puts its message into a static control with this id.
constexpr int kMessageTextId = 0xFFFF;

struct StandardId {
  int id;
  const char* name;
};
constexpr StandardId kStandardIds[] = {
    {IDOK, "IDOK"},         {IDCANCEL, "IDCANCEL"},     {IDABORT, "IDABORT"},
    {IDRETRY, "IDRETRY"},   {IDIGNORE, "IDIGNORE"},     {IDYES, "IDYES"},
    {IDNO, "IDNO"},         {IDCLOSE, "IDCLOSE"},       {IDHELP, "IDHELP"},
    {IDTRYAGAIN, "IDTRYAGAIN"}, {IDCONTINUE, "IDCONTINUE"},
};

std::wstring WithoutAccessKeys(const std::wstring& text) {
  std::wstring shown;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'&' && i + 1 < text.size()) ++i;  // "&&" shows one "&"
    shown += text[i];
  }
  return shown;
}

bool IsPushButton(HWND control) {
  if (ClassOf(control) != L"Button") return false;
  const LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

// Direct children only: a message box's buttons sit on the dialog itself.
std::vector<HWND> VisibleButtons(HWND dialog) {
  std::vector<HWND> buttons;
  for (HWND control : Descendants(dialog)) {
    if (GetAncestor(control, GA_PARENT) == dialog && IsPushButton(control) &&
        IsWindowVisible(control)) {
      buttons.push_back(control);
    }
  }
  return buttons;
}

}  // namespace

const char* StandardIdName(int id) {
  for (const auto& standard : kStandardIds) {
    if (standard.id == id) return standard.name;
  }
  return "";
}

std::optional<int> StandardIdByName(const std::wstring& name) {
  for (const auto& standard : kStandardIds) {
    if (ToUtf8(name) == standard.name) return standard.id;
  }
  return std::nullopt;
}

JsonObject DialogFacts(HWND dialog, const ProcessTable& processes) {
  const DWORD pid = ProcessOf(dialog);
  const HWND message = GetDlgItem(dialog, kMessageTextId);

  std::vector<JsonObject> buttons;
  for (HWND button : VisibleButtons(dialog)) {
    const int id = GetDlgCtrlID(button);
    JsonObject json;
    json.AddWindow("hwnd", button)
        .Add("id", id)
        .Add("name", StandardIdName(id))
        .Add("text", WithoutAccessKeys(WindowText(button)))
        .Add("default", (GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
        .Add("enabled", IsWindowEnabled(button) != FALSE);
    buttons.push_back(json);
  }

  RECT rect{};
  GetWindowRect(dialog, &rect);
  JsonObject json;
  json.AddWindow("hwnd", dialog)
      .Add("pid", static_cast<unsigned>(pid))
      .Add("exe", processes.ExeOf(pid))
      .Add("title", WindowText(dialog))
      .Add("rect", RectJson(rect))
      .Add("visible", IsWindowVisible(dialog) != FALSE)
      .Add("topmost", (GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0)
      .AddWindow("owner", GetWindow(dialog, GW_OWNER))
      .Add("foreground", GetForegroundWindow() == dialog);
  if (message) {
    json.Add("text", WindowText(message));
  } else {
    json.AddNull("text");
  }
  json.Add("buttons", buttons);
  return json;
}

HWND FindDialogButton(HWND dialog, std::optional<int> id, const std::optional<std::wstring>& text) {
  std::string offered;
  for (HWND button : VisibleButtons(dialog)) {
    const int button_id = GetDlgCtrlID(button);
    const std::wstring label = WithoutAccessKeys(WindowText(button));
    if (id && button_id == *id) return button;
    if (text && CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, label.c_str(), -1,
                               text->c_str(), -1) == CSTR_EQUAL) {
      return button;
    }
    offered += (offered.empty() ? "" : ", ") + std::to_string(button_id) + " \"" + ToUtf8(label) + "\"";
  }
  throw ActionError("no such button; the dialog offers: " + offered);
}

}  // namespace probe
