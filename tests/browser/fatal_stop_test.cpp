#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "codepage.h"
#include "export_resolver.h"
#include "library_exports.h"
#include "message_box_reader.h"
#include "standin_driver.h"
#include "win/unique_handle.h"

namespace orvanta::testing {
namespace {

using KernelHandle = UniqueHandle<HANDLE, CloseHandle>;

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH * 2] = {};
  GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L'\\'));
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// A program without "edgeview.dll" in its folder, and one whose
// "edgeview.dll" lacks edgeview_CreateEnvironment: each shows the fatal box
// naming the library file and the export, and ends with the fatal exit code
// once the box is answered. The second gets as far as the class
// registrations: exports are looked up one by one, as they are first needed.
TEST(FatalStop, MissingLibraryOrExportShowsTheBoxAndEndsTheProgram) {
  const struct {
    const char* name;
    const wchar_t* folder;
    bool library_present;
    const char* export_name;
  } cases[] = {
      {"no library file", L"fatal\\no-library", false, "edgeview_RegisterClass"},
      {"no edgeview_CreateEnvironment", L"fatal\\no-export", true, "edgeview_CreateEnvironment"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::wstring folder = ProgramFolder() + L"\\" + c.folder;
    const std::wstring program = folder + L"\\browser_fatal_child.exe";
    const std::wstring log_folder = folder + L"\\standin";
    DeleteFileW((log_folder + L"\\calls.log").c_str());

    // The child inherits the environment: its stand-in (if any) logs apart.
    SetEnvironmentVariableW(L"EDGEVIEW_STANDIN_DIR", log_folder.c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    std::wstring command_line = L"\"" + program + L"\"";
    const BOOL created = CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                        folder.c_str(), &startup, &started);
    SetEnvironmentVariableW(L"EDGEVIEW_STANDIN_DIR", StandInFolder().c_str());
    ASSERT_TRUE(created) << "cannot start the child program, error " << GetLastError();
    const KernelHandle process(started.hProcess);
    const KernelHandle thread(started.hThread);

    const std::optional<SeenMessageBox> box = AnswerMessageBox(started.dwProcessId);
    if (!box) TerminateProcess(process.get(), 99);
    ASSERT_TRUE(box.has_value()) << "no message box appeared";
    ASSERT_EQ(WaitForSingleObject(process.get(), 20000), WAIT_OBJECT_0) << "the program did not end after the box";
    DWORD exit_code = 0;
    GetExitCodeProcess(process.get(), &exit_code);
    EXPECT_EQ(exit_code, edgeview::kFatalStopExitCode);

    const std::string library_file = FromWide(folder + L"\\edgeview.dll");
    const std::string message = c.library_present ? edgeview::MissingExportMessage(library_file, c.export_name)
                                                  : edgeview::MissingLibraryMessage(library_file, c.export_name);
    EXPECT_EQ(box->text, ToWide(message));
    EXPECT_EQ(box->title, ToWide(Gbk(u8"信息：")));

    const std::string log = ReadWholeFile(log_folder + L"\\calls.log");
    EXPECT_EQ(Count(log, "RegisterClass id="), c.library_present ? 10u : 0u) << log;
    EXPECT_EQ(Count(log, "CreateEnvironment"), 0u) << log;
  }
}

}  // namespace
}  // namespace orvanta::testing
