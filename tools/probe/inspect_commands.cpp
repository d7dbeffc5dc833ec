// Commands that only look: processes, windows, controls, dialogs.
#include "commands.h"
#include "json_line.h"
#include "message_box.h"
#include "process_table.h"
#include "tray_icons.h"
#include "window_enum.h"
#include "window_facts.h"

namespace probe {
namespace {

ProcessFilter FilterFrom(const Arguments& args) {
  ProcessFilter filter;
  if (const auto pid = args.NumberOption(L"pid")) filter.pid = static_cast<DWORD>(*pid);
  if (const auto exe = args.Option(L"exe")) filter.exe = *exe;
  return filter;
}

}  // namespace

void ListProcesses(const Arguments&) {
  const ProcessTable processes;
  for (const auto& [pid, entry] : processes.Entries()) {
    JsonObject json;
    json.Add("pid", static_cast<unsigned>(pid))
        .Add("parentPid", static_cast<unsigned>(entry.parent_pid))
        .Add("exe", entry.exe);
    PrintLine(json);
  }
}

void ListWindows(const Arguments& args) {
  const ProcessTable processes;
  const std::wstring class_name = args.Option(L"class").value_or(L"");
  for (HWND window : FindTopLevel(FilterFrom(args), processes, class_name)) {
    PrintLine(TopLevelFacts(window, processes));
  }
}

void ListControls(const Arguments& args) {
  const HWND top = args.Window(0);
  for (HWND control : Descendants(top)) PrintLine(ControlFacts(top, control));
}

void ListDialogs(const Arguments& args) {
  const ProcessTable processes;
  for (HWND dialog : FindTopLevel(FilterFrom(args), processes, L"#32770")) {
    PrintLine(DialogFacts(dialog, processes));
  }
}

void ListTrayIcons(const Arguments&) {
  const std::vector<TrayIcon> icons = ReadTrayIcons();
  for (std::size_t i = 0; i < icons.size(); ++i) {
    RECT on_screen = icons[i].in_tray;
    MapWindowPoints(icons[i].tray, HWND_DESKTOP, reinterpret_cast<POINT*>(&on_screen), 2);
    JsonObject json;
    json.Add("index", static_cast<int>(i))
        .Add("tip", icons[i].tip)
        .Add("rect", RectJson(on_screen))
        .AddWindow("tray", icons[i].tray)
        .AddWindow("tooltip", icons[i].tooltip);
    PrintLine(json);
  }
}

}  // namespace probe
