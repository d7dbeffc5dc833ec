#include <cstdio>

#include "commands.h"

namespace probe {
namespace {

constexpr CommandEntry kCommands[] = {
    {L"processes", ListProcesses, "processes"},
    {L"windows", ListWindows, "windows [--pid N | --exe NAME] [--class NAME]"},
    {L"controls", ListControls, "controls HWND"},
    {L"dialogs", ListDialogs, "dialogs [--pid N | --exe NAME]"},
    {L"tray", ListTrayIcons, "tray"},
    {L"click", ClickCommand, "click HWND [--force]"},
    {L"settext", SetTextCommand, "settext HWND TEXT"},
    {L"type", TypeCommand, "type HWND TEXT [--force]"},
    {L"enter", EnterCommand, "enter HWND [--force]"},
    {L"close", CloseCommand, "close HWND"},
    {L"answer", AnswerCommand, "answer HWND (--id N|IDYES|... | --text TEXT)"},
    {L"send", SendCommand, "send HWND MSG WPARAM LPARAM [--timeout MS]"},
    {L"post", PostCommand, "post HWND MSG WPARAM LPARAM"},
    {L"notify", NotifyCommand, "notify HWND MSG WPARAM LPARAM"},
    {L"move", MoveCommand, "move HWND X Y [WIDTH HEIGHT]"},
    {L"show", ShowCommand, "show HWND show|hide|minimize|maximize|restore|showna"},
    {L"foreground", ForegroundCommand, "foreground HWND"},
    {L"trayclick", TrayClickCommand, "trayclick (--index N | --tip TEXT) [--mouse left|right|double]"},
};

}  // namespace

const CommandEntry* FindCommand(const std::wstring& name) {
  for (const auto& entry : kCommands) {
    if (name == entry.name) return &entry;
  }
  return nullptr;
}

void PrintUsage() {
  std::fputs("usage: probe COMMAND ...   (see tools/probe/README.md)\n", stderr);
  for (const auto& entry : kCommands) std::fprintf(stderr, "  probe %s\n", entry.usage);
}

}  // namespace probe
