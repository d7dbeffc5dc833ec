#include "standin.h"

#include <cstring>
#include <vector>

#include "codepage.h"
#include "control_channel.h"
#include "view_window.h"

namespace orvanta::standin {
namespace {

std::wstring EnvironmentText(const wchar_t* name) {
  const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return {};
  std::wstring value(size, L'\0');
  value.resize(GetEnvironmentVariableW(name, value.data(), size));
  return value;
}

std::wstring ModuleFolder(HINSTANCE module) {
  wchar_t path[MAX_PATH * 4] = {};
  const DWORD length = GetModuleFileNameW(module, path, static_cast<DWORD>(std::size(path)));
  std::wstring folder(path, length);
  const std::size_t slash = folder.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"." : folder.substr(0, slash);
}

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

// EDGEVIEW_STANDIN_DIR, or "edgeview-standin" next to the library.
std::wstring ControlFolder() {
  std::wstring folder = EnvironmentText(L"EDGEVIEW_STANDIN_DIR");
  if (folder.empty()) folder = ModuleFolder(ThisModule()) + L"\\edgeview-standin";
  CreateDirectoryW(folder.c_str(), nullptr);
  CreateDirectoryW((folder + L"\\commands").c_str(), nullptr);
  return folder;
}

std::string Text(const char* text) { return text != nullptr ? text : ""; }

std::string SettingsText(const ev::Settings& settings) {
  std::string text;
  for (int i = 0; i < ev::kSettingsFieldCount; ++i) {
    if (i > 0) text += ',';
    text += std::to_string(settings.field[i]);
  }
  return text;
}

}  // namespace

const char* ClassName(ev::ClassId id) {
  static const char* const names[ev::kClassCount] = {
      "Environment",    "WebView",  "NewWindowArgs",  "ScriptDialogArgs", "ContextMenuArgs", "MenuItemList",
      "MenuItem",       "PermissionArgs", "Event14Args", "Event15Args",   "Unnamed10",       "Unnamed11"};
  const int index = static_cast<int>(id);
  return index >= 0 && index < ev::kClassCount ? names[index] : "?";
}

StandIn& StandIn::Get() {
  // Never destroyed: the client releases its static wrappers while the
  // process ends, after our own statics would be gone.
  static StandIn* const instance = new StandIn;
  return *instance;
}

StandIn::StandIn() : folder_(ControlFolder()), log_(folder_ + L"\\calls.log"), instance_(ThisModule()) {}

void StandIn::BindUiThread() {
  if (ui_thread_ == 0) ui_thread_ = GetCurrentThreadId();
}

void StandIn::CheckThread(const char* call) {
  if (ui_thread_ != 0 && GetCurrentThreadId() != ui_thread_) {
    log_.Line(std::string("ERROR ") + call + ": called off the UI thread");
  }
}

bool StandIn::NoRuntime() const {
  return GetFileAttributesW((folder_ + L"\\no-runtime").c_str()) != INVALID_FILE_ATTRIBUTES;
}

ev::Value StandIn::RegisterClass(const ev::WrapperBlock* sample, ev::ClassId id) {
  const int index = static_cast<int>(id);
  std::string line = "RegisterClass id=" + std::to_string(index);
  if (index < 0 || index >= ev::kClassCount) {
    log_.Line("ERROR " + line + ": no such class");
    return 0;
  }
  if (sample == nullptr || sample->routines == nullptr) {
    log_.Line("ERROR " + line + ": no wrapper with a routine table");
    return 0;
  }
  if (routines_[index] != nullptr) {
    log_.Line("ERROR " + line + ": registered twice");
  }
  routines_[index] = sample->routines;
  log_.Line(line);
  return 1;
}

ev::Value StandIn::CreateEnvironment(const ev::EnvironmentOptions* options, ev::WrapperBlock* result) {
  BindUiThread();
  StartControlChannel();
  if (options == nullptr || result == nullptr) {
    log_.Line("ERROR CreateEnvironment: null options or wrapper");
    return 0;
  }
  std::string line = "CreateEnvironment text1=" + QuoteGbk(Text(options->text1)) +
                     " user_data=" + QuoteGbk(Text(options->user_data_folder)) +
                     " text3=" + QuoteGbk(Text(options->text3)) + " text4=" + QuoteGbk(Text(options->text4));
  if (NoRuntime()) {
    // The table is filled all the same: a client that ignored the empty
    // handle would call it, and the call would show in the log.
    result->handle = 0;
    result->methods = MethodTable(ev::ClassId::kEnvironment);
    log_.Line(line + " -> no runtime, handle 0");
    return 0;
  }
  const ev::Handle handle = Create(ev::ClassId::kEnvironment, 1);
  Fill(result, handle, ev::ClassId::kEnvironment);
  log_.Line(line + " -> handle=" + std::to_string(handle));
  return 1;
}

char* StandIn::CheckRuntime(ev::Value value) {
  if (NoRuntime()) {
    log_.Line("CheckRuntime value=" + std::to_string(value) + " -> 0");
    return nullptr;
  }
  char* text = NewText("stand-in runtime 1.0");
  log_.Line("CheckRuntime value=" + std::to_string(value) + " -> block " + Hex(reinterpret_cast<std::uintptr_t>(text)));
  return text;
}

ev::Value StandIn::MemFree(void* block) {
  const auto found = blocks_.find(block);
  if (found == blocks_.end()) {
    log_.Line("ERROR MemFree block " + Hex(reinterpret_cast<std::uintptr_t>(block)) + ": not a block of ours");
    return 0;
  }
  blocks_.erase(found);
  log_.Line("MemFree block " + Hex(reinterpret_cast<std::uintptr_t>(block)));
  return 1;
}

ev::Value StandIn::AddRef(ev::Handle handle, ev::ClassId id) {
  const std::string call = "ObjectAddRef handle=" + std::to_string(handle) + " id=" + std::to_string(static_cast<int>(id));
  Object* object = Find(handle, id, "ObjectAddRef");
  if (object == nullptr) return 0;
  ++object->refs;
  log_.Line(call + " refs=" + std::to_string(object->refs));
  return 1;
}

ev::Value StandIn::Release(ev::Handle handle, ev::ClassId id) {
  const std::string call = "ObjectRelease handle=" + std::to_string(handle) + " id=" + std::to_string(static_cast<int>(id));
  if (handle == 0) {
    log_.Line(call);
    return 0;
  }
  Object* object = Find(handle, id, "ObjectRelease");
  if (object == nullptr) return 0;
  log_.Line(call + " refs=" + std::to_string(object->refs - 1));
  Drop(handle);
  return 1;
}

Object* StandIn::FindAny(ev::Handle handle) {
  const auto found = objects_.find(handle);
  return found != objects_.end() ? &found->second : nullptr;
}

Object* StandIn::Find(ev::Handle handle, ev::ClassId id, const char* method) {
  CheckThread(method);
  const std::string call = std::string(method) + " handle=" + std::to_string(handle);
  if (handle == 0) {
    log_.Line("ERROR " + call + ": called with handle 0");
    return nullptr;
  }
  Object* object = FindAny(handle);
  if (object == nullptr) {
    log_.Line("ERROR " + call + ": no such object (released too often?)");
    return nullptr;
  }
  if (object->id != id) {
    log_.Line("ERROR " + call + ": object is a " + ClassName(object->id) + ", not a " + ClassName(id));
    return nullptr;
  }
  return object;
}

ev::Handle StandIn::Create(ev::ClassId id, int refs) {
  const ev::Handle handle = next_handle_++;
  Object& object = objects_[handle];
  object.handle = handle;
  object.id = id;
  object.refs = refs;
  if (id == ev::ClassId::kWebView) {
    last_web_view_ = handle;
    for (int i = 0; i < ev::kSettingsFieldCount; ++i) object.settings.field[i] = 1;
    object.settings.field[10] = 0;  // field 11
  }
  return handle;
}

void StandIn::Fill(ev::WrapperBlock* result, ev::Handle handle, ev::ClassId id) {
  const int index = static_cast<int>(id);
  if (routines_[index] == nullptr) {
    log_.Line(std::string("ERROR filling a ") + ClassName(id) + ": class " + std::to_string(index) + " not registered");
  } else if (result->routines != routines_[index]) {
    log_.Line(std::string("ERROR filling a ") + ClassName(id) + ": the wrapper's routine table is not the registered one");
  }
  result->handle = handle;
  result->methods = MethodTable(id);
}

ev::WrapperBlock StandIn::Lend(ev::Handle handle, ev::ClassId id) {
  const int index = static_cast<int>(id);
  if (routines_[index] == nullptr) {
    log_.Line(std::string("ERROR lending a ") + ClassName(id) + ": class " + std::to_string(index) + " not registered");
  }
  return {routines_[index], handle, MethodTable(id)};
}

void StandIn::Drop(ev::Handle handle) {
  const auto found = objects_.find(handle);
  if (found == objects_.end()) return;
  if (--found->second.refs > 0) return;
  Object object = std::move(found->second);
  objects_.erase(found);
  if (last_web_view_ == handle) last_web_view_ = 0;
  Finished(object);
}

void StandIn::Finished(const Object& object) {
  std::string line = std::string("Destroyed ") + ClassName(object.id) + " handle=" + std::to_string(object.handle);
  switch (object.id) {
    case ev::ClassId::kScriptDialogArgs:
      line += std::string(" accepted=") + (object.accepted ? "1" : "0") + " completed=" + (object.completed ? "1" : "0") +
              " result=" + (object.result_text ? QuoteUtf8(*object.result_text) : "none");
      Note(object.view, "dialog kind " + std::to_string(object.dialog_kind) + (object.accepted ? " accepted" : " dismissed") +
                            (object.result_text ? ", answer " + QuoteUtf8(*object.result_text) : ""));
      break;
    case ev::ClassId::kPermissionArgs:
      line += " state=" + std::to_string(object.state) + " handled=" + (object.handled ? "1" : "0");
      Note(object.view, "permission state " + std::to_string(object.state) + (object.handled ? ", handled" : ""));
      break;
    case ev::ClassId::kNewWindowArgs:
      line += " new_window=" + std::to_string(object.new_window) + " handled=" + (object.handled ? "1" : "0");
      break;
    default:
      break;
  }
  log_.Line(line);
}

ev::Handle StandIn::LastWebView() const { return last_web_view_; }

char* StandIn::NewText(std::string_view text) {
  auto block = std::make_unique<char[]>(text.size() + 1);
  std::memcpy(block.get(), text.data(), text.size());
  block[text.size()] = '\0';
  char* address = block.get();
  blocks_[address] = std::move(block);
  return address;
}

void StandIn::Note(ev::Handle view, const std::string& utf8) {
  Object* object = FindAny(view);
  if (object == nullptr || object->id != ev::ClassId::kWebView) return;
  object->recent.push_back(utf8);
  while (object->recent.size() > 12) object->recent.pop_front();
  if (object->window) RefreshViewWindow(object->window.get());
}

void StandIn::Dump() {
  log_.Line("Dump objects=" + std::to_string(objects_.size()) + " blocks=" + std::to_string(blocks_.size()));
  for (const auto& [handle, object] : objects_) {
    std::string line = std::string("  ") + ClassName(object.id) + " handle=" + std::to_string(handle) +
                       " refs=" + std::to_string(object.refs);
    if (object.id == ev::ClassId::kWebView) line += " settings=" + SettingsText(object.settings);
    log_.Line(line);
  }
}

void StandIn::PostCreated(ev::Handle view) { PostToControl(kDeliverWebViewCreated, view); }

}  // namespace orvanta::standin
