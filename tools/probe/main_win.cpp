// The GUI probe: a console program the end-to-end tests run inside the
// prefix of the programs under test, to see and drive their windows. It
// prints one JSON object per line (UTF-8). Exit codes: 0 done, 1 wrong
// command line, 2 the target is missing or refuses the action.
#include <windows.h>

#include <string>
#include <vector>

#include "commands.h"
#include "json_line.h"

namespace {

int Fail(int exit_code, const std::string& message) {
  probe::JsonObject json;
  json.Add("ok", false).Add("error", std::string_view(message));
  probe::PrintLine(json);
  return exit_code;
}

}  // namespace

// wmain (linked with -municode): the arguments arrive as UTF-16, so Chinese
// texts survive whatever the prefix's code page is.
int wmain(int argc, wchar_t** argv) {
  SetConsoleOutputCP(CP_UTF8);
  if (argc < 2) {
    probe::PrintUsage();
    return 1;
  }
  const probe::CommandEntry* command = probe::FindCommand(argv[1]);
  if (!command) {
    probe::PrintUsage();
    return Fail(1, "unknown command: " + probe::ToUtf8(argv[1]));
  }
  try {
    const probe::Arguments args(std::vector<std::wstring>(argv + 2, argv + argc));
    command->run(args);
    return 0;
  } catch (const probe::UsageError& error) {
    return Fail(1, std::string(error.what()) + "; usage: probe " + command->usage);
  } catch (const probe::ActionError& error) {
    return Fail(2, error.what());
  }
}
