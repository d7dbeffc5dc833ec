#include "standin_driver.h"

#include <cstdio>

#include "win/unique_handle.h"

namespace orvanta::testing {
namespace {

using FileHandle = UniqueHandle<HANDLE, CloseHandle>;
using FindHandle = UniqueHandle<HANDLE, FindClose>;

// The file functions report failure as INVALID_HANDLE_VALUE, UniqueHandle
// knows null as empty.
HANDLE OrNull(HANDLE handle) { return handle == INVALID_HANDLE_VALUE ? nullptr : handle; }

constexpr DWORD kGuardMilliseconds = 10000;

std::wstring CurrentFolder() {
  wchar_t folder[MAX_PATH * 2] = {};
  GetCurrentDirectoryW(static_cast<DWORD>(std::size(folder)), folder);
  return folder;
}

}  // namespace

std::string ReadWholeFile(const std::wstring& path) {
  FileHandle file(OrNull(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
  std::string content;
  if (!file) return content;
  char buffer[8192];
  DWORD read = 0;
  while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) content.append(buffer, read);
  return content;
}

namespace {

bool WriteWholeFile(const std::wstring& path, const std::string& content) {
  FileHandle file(OrNull(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)));
  if (!file) return false;
  DWORD written = 0;
  return ::WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
         written == content.size();
}

std::string Escape(const std::string& field) {
  std::string out;
  for (const char c : field) {
    switch (c) {
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\\': out += "\\\\"; break;
      default: out += c;
    }
  }
  return out;
}

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  FindHandle search(OrNull(FindFirstFileW((folder + L"\\*").c_str(), &found)));
  if (search) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search.get(), &found));
  }
  search.reset();
  RemoveDirectoryW(folder.c_str());
}

}  // namespace

const std::wstring& StandInFolder() {
  static const std::wstring folder = [] {
    const std::wstring path = CurrentFolder() + L"\\standin-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(path.c_str(), nullptr);
    CreateDirectoryW((path + L"\\commands").c_str(), nullptr);
    return path;
  }();
  return folder;
}

void RemoveStandInFolder() { RemoveTree(StandInFolder()); }

void PumpPending() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

bool PumpUntil(const std::function<bool()>& done) {
  const DWORD start = GetTickCount();
  for (;;) {
    PumpPending();
    if (done()) return true;
    if (GetTickCount() - start > kGuardMilliseconds) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void StandInDriver::Mark() { mark_ = Checkpoint(); }

std::size_t StandInDriver::Checkpoint() { return AllLines().size(); }

std::vector<std::string> StandInDriver::LinesSince(std::size_t checkpoint) {
  std::vector<std::string> all = AllLines();
  if (checkpoint >= all.size()) return {};
  return std::vector<std::string>(all.begin() + static_cast<std::ptrdiff_t>(checkpoint), all.end());
}

std::vector<std::string> StandInDriver::AllLines() {
  const std::string content = ReadWholeFile(StandInFolder() + L"\\calls.log");
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    if (end == std::string::npos) end = content.size();
    lines.push_back(content.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::vector<std::string> StandInDriver::Lines() const { return LinesSince(mark_); }

std::vector<std::string> StandInDriver::LinesStartingWith(const std::string& prefix) const {
  std::vector<std::string> found;
  for (const std::string& line : Lines()) {
    if (line.rfind(prefix, 0) == 0) found.push_back(line);
  }
  return found;
}

std::string StandInDriver::Transcript() const {
  std::string text;
  for (const std::string& line : Lines()) text += "  " + line + "\n";
  return text;
}

bool StandInDriver::Command(const std::vector<std::string>& fields) {
  static int sequence = 0;
  std::string line;
  for (const std::string& field : fields) line += (line.empty() ? "" : "\t") + Escape(field);
  wchar_t name[32];
  std::swprintf(name, std::size(name), L"%08d", ++sequence);
  const std::wstring folder = StandInFolder() + L"\\commands\\";
  // Written under another name and renamed, so the stand-in never reads half
  // a command.
  const std::wstring temporary = folder + name + L".tmp";
  const std::wstring command = folder + name + L".cmd";
  if (!WriteWholeFile(temporary, line + "\n") || !MoveFileW(temporary.c_str(), command.c_str())) return false;
  return PumpUntil([&] { return GetFileAttributesW(command.c_str()) == INVALID_FILE_ATTRIBUTES; });
}

std::vector<std::string> StandInDriver::CommandLines(const std::vector<std::string>& fields) {
  const std::size_t before = Checkpoint();
  if (!Command(fields)) return {};
  return LinesSince(before);
}

bool StandInDriver::WaitForLine(const std::string& prefix) {
  return PumpUntil([&] { return !LinesStartingWith(prefix).empty(); });
}

StandInDriver::Census StandInDriver::Count() {
  Census census;
  for (const std::string& line : CommandLines({"dump"})) {
    if (line.rfind("Dump ", 0) == 0) std::sscanf(line.c_str(), "Dump objects=%d blocks=%d", &census.objects, &census.blocks);
  }
  return census;
}

void StandInDriver::SetNoRuntime(bool missing) {
  const std::wstring flag = StandInFolder() + L"\\no-runtime";
  if (missing) {
    WriteWholeFile(flag, "");
  } else {
    DeleteFileW(flag.c_str());
  }
}

}  // namespace orvanta::testing
