// Commands that act on a window; each prints one line saying what it did.
#include "commands.h"
#include "input_actions.h"
#include "json_line.h"
#include "message_box.h"
#include "tray_icons.h"

namespace probe {
namespace {

void PrintDone(const char* command, HWND window) {
  JsonObject json;
  json.Add("ok", true).Add("command", command).AddWindow("hwnd", window);
  PrintLine(json);
}

HWND ReachableTarget(const Arguments& args) {
  const HWND window = args.Window(0);
  if (!args.Flag(L"force")) RequireReachable(window);
  return window;
}

struct MessageArgs {
  HWND window;
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
};

MessageArgs ReadMessage(const Arguments& args) {
  return MessageArgs{args.Window(0), static_cast<UINT>(args.Number(1, "message")),
                     static_cast<WPARAM>(args.Number(2, "wparam")),
                     static_cast<LPARAM>(args.Number(3, "lparam"))};
}

}  // namespace

void ClickCommand(const Arguments& args) {
  const HWND button = ReachableTarget(args);
  Click(button);
  PrintDone("click", button);
}

void SetTextCommand(const Arguments& args) {
  const HWND control = args.Window(0);
  SetText(control, args.Text(1, "text"));
  PrintDone("settext", control);
}

void TypeCommand(const Arguments& args) {
  const HWND control = ReachableTarget(args);
  Type(control, args.Text(1, "text"));
  PrintDone("type", control);
}

void EnterCommand(const Arguments& args) {
  const HWND control = ReachableTarget(args);
  PressEnter(control);
  PrintDone("enter", control);
}

void CloseCommand(const Arguments& args) {
  const HWND window = args.Window(0);
  Close(window);
  PrintDone("close", window);
}

void AnswerCommand(const Arguments& args) {
  const HWND dialog = args.Window(0);
  std::optional<int> id;
  if (const auto value = args.Option(L"id")) {
    id = StandardIdByName(*value);
    if (!id) id = static_cast<int>(ParseNumber(*value, "--id"));
  }
  const auto text = args.Option(L"text");
  if (!id && !text) throw UsageError("give --id or --text");
  const HWND button = FindDialogButton(dialog, id, text);
  Click(button);
  JsonObject json;
  json.Add("ok", true)
      .Add("command", "answer")
      .AddWindow("hwnd", dialog)
      .AddWindow("button", button)
      .Add("id", GetDlgCtrlID(button));
  PrintLine(json);
}

void SendCommand(const Arguments& args) {
  const MessageArgs m = ReadMessage(args);
  const UINT timeout = static_cast<UINT>(args.NumberOption(L"timeout").value_or(5000));
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(m.window, m.message, m.wparam, m.lparam, SMTO_NORMAL, timeout, &result)) {
    throw ActionError("no answer within " + std::to_string(timeout) + " ms");
  }
  JsonObject json;
  json.Add("ok", true)
      .Add("command", "send")
      .AddWindow("hwnd", m.window)
      .Add("result", static_cast<std::int64_t>(static_cast<LRESULT>(result)));
  PrintLine(json);
}

void PostCommand(const Arguments& args) {
  const MessageArgs m = ReadMessage(args);
  if (!PostMessageW(m.window, m.message, m.wparam, m.lparam)) {
    throw ActionError("PostMessage failed, error " + std::to_string(GetLastError()));
  }
  PrintDone("post", m.window);
}

// The shell delivers tray callback messages this way: sent, but without
// waiting for the handler (which may run a menu or a message box).
void NotifyCommand(const Arguments& args) {
  const MessageArgs m = ReadMessage(args);
  if (!SendNotifyMessageW(m.window, m.message, m.wparam, m.lparam)) {
    throw ActionError("SendNotifyMessage failed, error " + std::to_string(GetLastError()));
  }
  PrintDone("notify", m.window);
}

void MoveCommand(const Arguments& args) {
  const HWND window = args.Window(0);
  const int x = static_cast<int>(args.Number(1, "x"));
  const int y = static_cast<int>(args.Number(2, "y"));
  if (args.Count() > 3) {
    const int width = static_cast<int>(args.Number(3, "width"));
    const int height = static_cast<int>(args.Number(4, "height"));
    Place(window, x, y, &width, &height);
  } else {
    Place(window, x, y, nullptr, nullptr);
  }
  PrintDone("move", window);
}

void ShowCommand(const Arguments& args) {
  const HWND window = args.Window(0);
  ChangeShowState(window, args.Text(1, "show state"));
  PrintDone("show", window);
}

void ForegroundCommand(const Arguments& args) {
  const HWND window = args.Window(0);
  if (!SetForegroundWindow(window)) throw ActionError("SetForegroundWindow refused");
  PrintDone("foreground", window);
}

void TrayClickCommand(const Arguments& args) {
  const std::vector<TrayIcon> icons = ReadTrayIcons();
  const auto index = args.NumberOption(L"index");
  const auto tip = args.Option(L"tip");
  if (!index && !tip) throw UsageError("give --index or --tip");
  const TrayIcon* chosen = nullptr;
  for (std::size_t i = 0; i < icons.size() && !chosen; ++i) {
    if ((index && static_cast<std::int64_t>(i) == *index) || (tip && icons[i].tip == *tip)) {
      chosen = &icons[i];
    }
  }
  if (!chosen) throw ActionError("no such tray icon (" + std::to_string(icons.size()) + " icons)");

  const std::wstring mouse = args.Option(L"mouse").value_or(L"left");
  TrayMouse action;
  if (mouse == L"left") {
    action = TrayMouse::kLeft;
  } else if (mouse == L"right") {
    action = TrayMouse::kRight;
  } else if (mouse == L"double") {
    action = TrayMouse::kDouble;
  } else {
    throw UsageError("unknown --mouse: " + ToUtf8(mouse));
  }
  ClickTrayIcon(*chosen, action);
  JsonObject json;
  json.Add("ok", true).Add("command", "trayclick").AddWindow("hwnd", chosen->tray).Add("tip", chosen->tip);
  PrintLine(json);
}

}  // namespace probe
