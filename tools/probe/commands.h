// The probe's commands. Each reads its arguments, acts, and prints JSON
// lines; failures are thrown as UsageError or ActionError.
#pragma once

#include <string>

#include "arguments.h"

namespace probe {

using Command = void (*)(const Arguments&);

struct CommandEntry {
  const wchar_t* name;
  Command run;
  const char* usage;
};

// Listing commands (inspect_commands.cpp).
void ListProcesses(const Arguments& args);
void ListWindows(const Arguments& args);
void ListControls(const Arguments& args);
void ListDialogs(const Arguments& args);
void ListTrayIcons(const Arguments& args);

// Acting commands (act_commands.cpp).
void ClickCommand(const Arguments& args);
void SetTextCommand(const Arguments& args);
void TypeCommand(const Arguments& args);
void EnterCommand(const Arguments& args);
void CloseCommand(const Arguments& args);
void AnswerCommand(const Arguments& args);
void SendCommand(const Arguments& args);
void PostCommand(const Arguments& args);
void NotifyCommand(const Arguments& args);
void MoveCommand(const Arguments& args);
void ShowCommand(const Arguments& args);
void ForegroundCommand(const Arguments& args);
void TrayClickCommand(const Arguments& args);

const CommandEntry* FindCommand(const std::wstring& name);
void PrintUsage();

}  // namespace probe
