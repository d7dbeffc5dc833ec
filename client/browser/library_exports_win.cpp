// The binding's Win32 side: the library file next to the program, and the
// fatal stop as a message box.
#include <windows.h>

#include <cstring>
#include <string>

#include "codepage.h"
#include "library_exports.h"
#include "win/unique_handle.h"

namespace orvanta::edgeview {
namespace {

using ModuleHandle = UniqueHandle<HMODULE, FreeLibrary>;

// The folder of the running program, without a trailing backslash.
std::wstring ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return L".";
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

class ProgramFolderLoader final : public LibraryLoader {
 public:
  ProgramFolderLoader() : path_(ProgramFolder() + L"\\" + kLibraryFileName) {}

  bool Open() override {
    // The full path keeps the search path out of it; the altered search path
    // lets the library find its own companions in the same folder.
    module_.reset(LoadLibraryExW(path_.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    return static_cast<bool>(module_);
  }

  void* Find(const char* export_name) override {
    return reinterpret_cast<void*>(GetProcAddress(module_.get(), export_name));
  }

  std::string FileName() const override { return FromWide(path_); }

  void Stop(const std::string& message_gbk) override {
    MessageBoxW(nullptr, ToWide(message_gbk).c_str(), ToWide(Gbk(u8"信息：")).c_str(),
                MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
    ExitProcess(kFatalStopExitCode);
  }

 private:
  std::wstring path_;
  ModuleHandle module_;
};

}  // namespace

ExportResolver& LibraryExports() {
  static ProgramFolderLoader* const loader = new ProgramFolderLoader;
  static ExportResolver* const resolver = new ExportResolver(*loader);
  return *resolver;
}

std::string TakeLibraryText(const char* text) {
  if (text == nullptr) return {};
  std::string copy(text);
  if (auto mem_free = LibraryExports().Get<Export::kMemFree>()) mem_free(const_cast<char*>(text));
  return copy;
}

std::string TakeLibraryData(const void* block, Value length) {
  if (block == nullptr) return {};
  std::string copy(static_cast<const char*>(block), length);
  if (auto mem_free = LibraryExports().Get<Export::kMemFree>()) mem_free(const_cast<void*>(block));
  return copy;
}

void AddObjectRef(Handle handle, ClassId id) {
  if (handle == 0) return;
  if (auto add_ref = LibraryExports().Get<Export::kObjectAddRef>()) add_ref(handle, id);
}

void ReleaseObject(Handle handle, ClassId id) {
  if (auto release = LibraryExports().Get<Export::kObjectRelease>()) release(handle, id);
}

}  // namespace orvanta::edgeview
