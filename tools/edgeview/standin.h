// The stand-in browser library's state: the client's registered routine
// tables, the objects it hands out with their reference counts, the text
// blocks it lends, and the web views with their windows and sinks.
//
// Everything runs on the client's UI thread (the thread of the first
// CreateEnvironment); a call from any other thread is logged as an error.
// The client may call back in while an event runs, so no object reference is
// held across a call into the client: objects are looked up again by handle.
#pragma once

#include <windows.h>

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "call_log.h"
#include "edgeview_abi.h"
#include "win/unique_handle.h"

namespace orvanta::standin {

namespace ev = edgeview;

using WindowHandle = UniqueHandle<HWND, DestroyWindow>;

const char* ClassName(ev::ClassId id);

struct Object {
  ev::Handle handle = 0;
  ev::ClassId id{};
  int refs = 0;

  // Web views.
  WindowHandle window;
  ev::SinkBlock* sink = nullptr;
  std::string url;  // GBK, as the client sent it
  ev::Settings settings{};
  int reloads = 0;
  std::optional<std::string> script_result;  // GBK; none: ExecuteScript returns 0
  std::deque<std::string> recent;            // UTF-8 lines for the window, newest last

  // Event arguments.
  ev::Handle view = 0;  // the web view the event was raised for
  std::string uri;      // GBK
  bool user_initiated = false;
  ev::Handle new_window = 0;
  ev::Value dialog_kind = 0;
  bool accepted = false;
  bool completed = false;
  std::optional<std::string> result_text;  // exactly as received
  ev::Value state = 0;
  bool handled = false;
  std::string data_head;  // event 15 method 2: length and first bytes
};

class StandIn {
 public:
  static StandIn& Get();

  CallLog& Log() { return log_; }
  const std::wstring& Folder() const { return folder_; }
  HINSTANCE Instance() const { return instance_; }

  // Logs an error when called off the UI thread; fixes the UI thread first.
  void CheckThread(const char* call);
  void BindUiThread();
  bool NoRuntime() const;  // the flag file "no-runtime" is in the folder

  // The exports.
  ev::Value RegisterClass(const ev::WrapperBlock* sample, ev::ClassId id);
  ev::Value CreateEnvironment(const ev::EnvironmentOptions* options, ev::WrapperBlock* result);
  char* CheckRuntime(ev::Value value);
  ev::Value MemFree(void* block);
  ev::Value AddRef(ev::Handle handle, ev::ClassId id);
  ev::Value Release(ev::Handle handle, ev::ClassId id);

  // Objects. Find logs the error and returns null for a handle that is 0,
  // unknown or of another class.
  Object* Find(ev::Handle handle, ev::ClassId id, const char* method);
  Object* FindAny(ev::Handle handle);
  ev::Handle Create(ev::ClassId id, int refs);
  // Writes handle and method table into a wrapper the client handed over.
  void Fill(ev::WrapperBlock* result, ev::Handle handle, ev::ClassId id);
  // A block of our own for lending an object to an event routine.
  ev::WrapperBlock Lend(ev::Handle handle, ev::ClassId id);
  // Drops one reference; destroys the object (and its window) at 0.
  void Drop(ev::Handle handle);
  ev::Handle LastWebView() const;

  // A library text, freed by the client with edgeview_MemFree.
  char* NewText(std::string_view text);

  // A line for the web view's window, which repaints.
  void Note(ev::Handle view, const std::string& utf8);
  void Dump();

  // Posts WebViewCreated for `view`, delivered from the message loop.
  void PostCreated(ev::Handle view);

 private:
  StandIn();
  void Finished(const Object& object);

  std::wstring folder_;
  CallLog log_;
  HINSTANCE instance_ = nullptr;
  DWORD ui_thread_ = 0;
  const ev::WrapperRoutines* routines_[ev::kClassCount] = {};
  std::map<ev::Handle, Object> objects_;
  ev::Handle next_handle_ = 0x101;
  ev::Handle last_web_view_ = 0;
  std::map<const void*, std::unique_ptr<char[]>> blocks_;
};

// The method tables, by class.
const ev::AnyMethod* MethodTable(ev::ClassId id);

}  // namespace orvanta::standin
