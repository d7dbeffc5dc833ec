// The binary interface of the browser library "edgeview.dll": the exports,
// the wrapper blocks and method tables, the records and the event routines.
// The client's binding and our stand-in library are both written against this
// one header, so that a routine declared with the wrong number of arguments
// fails to compile on both sides instead of unbalancing the stack at run time.
//
// Everything that crosses is 32 bits wide and every routine is __stdcall (the
// callee removes its arguments, so the argument counts below are exact).
// Texts are zero-terminated byte strings in the client's code page (GBK),
// except the texts of script dialogs, which are UTF-8.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace orvanta::edgeview {

static_assert(sizeof(void*) == 4, "the browser library is a 32-bit library");

using Handle = std::uint32_t;  // an opaque library object; 0 = none
using Value = std::uint32_t;   // any other 32-bit argument or result

// Each wrapper class has a fixed id, passed with every reference call.
enum class ClassId : std::int32_t {
  kEnvironment = 0,
  kWebView = 1,
  kNewWindowArgs = 2,
  kScriptDialogArgs = 3,
  kContextMenuArgs = 4,
  kMenuItemList = 5,
  kMenuItem = 6,
  kPermissionArgs = 7,
  // 8 to 11: library objects no client flow keeps (the argument objects of
  // events 14 and 15 are among them; which is the library's choice).
  kUnnamed8 = 8,
  kUnnamed9 = 9,
  kUnnamed10 = 10,
  kUnnamed11 = 11,
};
inline constexpr int kClassCount = 12;

// Number of entries in the library's method table of each class, by id.
inline constexpr int kMethodCount[kClassCount] = {1, 30, 5, 3, 6, 4, 9, 2, 3, 3, 3, 2};

struct WrapperBlock;

// The client's routines for one wrapper class: the first word of every
// wrapper block, so that blocks the library makes behave like the client's.
struct WrapperRoutines {
  void(__stdcall* destroy)(WrapperBlock* self);
  void(__stdcall* copy)(WrapperBlock* self, const WrapperBlock* from);
};

// A method table entry; each is called through the signature of its Method
// descriptor below.
using AnyMethod = void(__stdcall*)();

// How a library object reaches the client: three 32-bit words.
struct WrapperBlock {
  const WrapperRoutines* routines;
  Handle handle;             // 0 = empty
  const AnyMethod* methods;  // the library's method table for the class
};
static_assert(sizeof(WrapperBlock) == 12);

// ---------------------------------------------------------------- records

struct EnvironmentOptions {
  const char* text1;
  const char* user_data_folder;
  const char* text3;
  const char* text4;
};
static_assert(sizeof(EnvironmentOptions) == 16);

struct WebViewOptions {
  HWND parent;
  std::int32_t left;
  std::int32_t top;
  std::int32_t right;
  std::int32_t bottom;
  std::int32_t flag;
  const char* profile_name;
};
static_assert(sizeof(WebViewOptions) == 28);

// In pixels of the parent window's client area.
struct Bounds {
  std::int32_t left;
  std::int32_t top;
  std::int32_t right;
  std::int32_t bottom;
};
static_assert(sizeof(Bounds) == 16);

inline constexpr int kSettingsFieldCount = 15;
struct Settings {
  std::int32_t field[kSettingsFieldCount];  // field n (counted from 1) is field[n - 1]
};
static_assert(sizeof(Settings) == 60);

inline constexpr int kWindowFeaturesFieldCount = 10;
struct WindowFeatures {
  std::int32_t field[kWindowFeaturesFieldCount];
};
static_assert(sizeof(WindowFeatures) == 40);

// ---------------------------------------------------------------- methods
// Method k of a class is called as methods[k](handle, arguments...).

// The event sink handed to CreateWebView (defined with the events below).
struct SinkBlock;

namespace environment {
struct CreateWebView {  // fills `result` with the new browser before it returns
  static constexpr int kIndex = 0;
  using Fn = Value(__stdcall*)(Handle, const WebViewOptions* options, SinkBlock* sink, WrapperBlock* result);
};
}  // namespace environment

namespace webview {
struct SetBounds {
  static constexpr int kIndex = 1;
  using Fn = Value(__stdcall*)(Handle, const Bounds* bounds);
};
struct Navigate {
  static constexpr int kIndex = 3;
  using Fn = Value(__stdcall*)(Handle, const char* url);
};
struct Reload {
  static constexpr int kIndex = 8;
  using Fn = Value(__stdcall*)(Handle);
};
struct GetSettings {
  static constexpr int kIndex = 10;
  using Fn = Value(__stdcall*)(Handle, Settings* out);
};
struct PutSettings {
  static constexpr int kIndex = 11;
  using Fn = Value(__stdcall*)(Handle, const Settings* settings);
};
struct ExecuteScript {  // returns a library text or 0
  static constexpr int kIndex = 12;
  using Fn = char*(__stdcall*)(Handle, const char* script);
};
}  // namespace webview

namespace new_window_args {
struct GetUri {
  static constexpr int kIndex = 0;
  using Fn = char*(__stdcall*)(Handle);
};
struct IsUserInitiated {
  static constexpr int kIndex = 1;
  using Fn = Value(__stdcall*)(Handle);
};
struct GetWindowFeatures {
  static constexpr int kIndex = 2;
  using Fn = Value(__stdcall*)(Handle, WindowFeatures* out);
};
struct SetNewWindow {
  static constexpr int kIndex = 3;
  using Fn = Value(__stdcall*)(Handle, Handle web_view);
};
struct SetHandled {
  static constexpr int kIndex = 4;
  using Fn = Value(__stdcall*)(Handle, Value flag);
};
}  // namespace new_window_args

namespace script_dialog_args {
struct Accept {
  static constexpr int kIndex = 0;
  using Fn = Value(__stdcall*)(Handle);
};
struct SetResultText {
  static constexpr int kIndex = 1;
  using Fn = Value(__stdcall*)(Handle, const char* utf8_text);
};
struct Complete {
  static constexpr int kIndex = 2;
  using Fn = Value(__stdcall*)(Handle);
};
}  // namespace script_dialog_args

namespace permission_args {
inline constexpr Value kStateAllow = 1;
struct SetState {
  static constexpr int kIndex = 0;
  using Fn = Value(__stdcall*)(Handle, Value state);
};
struct SetHandled {
  static constexpr int kIndex = 1;
  using Fn = Value(__stdcall*)(Handle, Value flag);
};
}  // namespace permission_args

// The argument objects of events 14 and 15. `record` is an optional record
// the client always omits (passes 0).
namespace event_args {
struct Method0 {
  static constexpr int kIndex = 0;
  using Fn = Value(__stdcall*)(Handle, const void* record);
};
struct Method2 {  // hands the library a block of data (address and length)
  static constexpr int kIndex = 2;
  using Fn = Value(__stdcall*)(Handle, const void* record, const void* data, Value length);
};
}  // namespace event_args

// ----------------------------------------------------------------- events
// The library calls entry 2 + n of the sink's routine table for event n, on
// the thread of the client's message loop. Texts and objects come as the
// address of a variable holding them; the variable is the library's and lives
// only for the call, so a routine that keeps an object copies it.

using TextRef = const char* const*;
using ObjectRef = const WrapperBlock*;

struct SinkRoutines {
  void(__stdcall* destroy)(SinkBlock* self);
  void(__stdcall* copy)(SinkBlock* self, const SinkBlock* from);
  Value(__stdcall* web_view_created)(SinkBlock*, ObjectRef web_view);                  // 0
  Value(__stdcall* event1)(SinkBlock*, Value);                                         // 1
  Value(__stdcall* new_window_requested)(SinkBlock*, Value, ObjectRef args);           // 2
  Value(__stdcall* web_message_received)(SinkBlock*, Value, TextRef message);          // 3
  Value(__stdcall* event4)(SinkBlock*, Value, Value);                                  // 4
  Value(__stdcall* event5)(SinkBlock*, Value, Value, Value, Value, TextRef lines, Value, Value);  // 5
  Value(__stdcall* event6)(SinkBlock*, Value, Value, Value, Value);                    // 6
  Value(__stdcall* event7)(SinkBlock*, Value, Value);                                  // 7
  Value(__stdcall* event8)(SinkBlock*, Value);                                         // 8
  Value(__stdcall* event9)(SinkBlock*, Value, Value, Value, Value, Value);             // 9
  Value(__stdcall* script_dialog_opening)(SinkBlock*, Value, Value, Value kind, TextRef message_utf8,
                                          TextRef default_text_utf8, ObjectRef args);  // 10
  Value(__stdcall* context_menu_requested)(SinkBlock*, Value, ObjectRef args);         // 11
  Value(__stdcall* event12)(SinkBlock*, Value, Value);                                 // 12
  Value(__stdcall* permission_requested)(SinkBlock*, Value, Value, Value, Value, ObjectRef args);  // 13
  Value(__stdcall* event14)(SinkBlock*, Value, Value, Value, Value, Value, ObjectRef args);        // 14
  Value(__stdcall* event15)(SinkBlock*, Value, Value, Value, Value, TextRef kind, Value, ObjectRef args);  // 15
  Value(__stdcall* event16)(SinkBlock*, Value, Value, Value, Value, Value);            // 16
  Value(__stdcall* event17)(SinkBlock*, Value, Value, Value, Value);                   // 17
  Value(__stdcall* event18)(SinkBlock*, Value, Value, Value);                          // 18
  Value(__stdcall* event19)(SinkBlock*, Value, Value, Value, Value);                   // 19
};

inline constexpr int kEventCount = 20;
constexpr std::size_t EventEntryOffset(int event) { return static_cast<std::size_t>(2 + event) * 4; }
static_assert(offsetof(SinkRoutines, web_view_created) == EventEntryOffset(0));
static_assert(offsetof(SinkRoutines, new_window_requested) == EventEntryOffset(2));
static_assert(offsetof(SinkRoutines, web_message_received) == EventEntryOffset(3));
static_assert(offsetof(SinkRoutines, script_dialog_opening) == EventEntryOffset(10));
static_assert(offsetof(SinkRoutines, context_menu_requested) == EventEntryOffset(11));
static_assert(offsetof(SinkRoutines, permission_requested) == EventEntryOffset(13));
static_assert(offsetof(SinkRoutines, event14) == EventEntryOffset(14));
static_assert(offsetof(SinkRoutines, event15) == EventEntryOffset(15));
static_assert(offsetof(SinkRoutines, event19) == EventEntryOffset(19));
static_assert(sizeof(SinkRoutines) == EventEntryOffset(kEventCount));

// The library reads only the first word of a sink: its routine table.
struct SinkBlock {
  const SinkRoutines* routines;
};

enum class ScriptDialogKind : Value { kAlert = 0, kConfirm = 1, kPrompt = 2, kBeforeUnload = 3 };

// ---------------------------------------------------------------- exports

inline constexpr wchar_t kLibraryFileName[] = L"edgeview.dll";

// The exports, in the order of the binding's table.
enum class Export { kRegisterClass, kCreateEnvironment, kCheckRuntime, kMemFree, kObjectAddRef, kObjectRelease };
inline constexpr int kExportCount = 6;
inline constexpr const char* kExportNames[kExportCount] = {
    "edgeview_RegisterClass", "edgeview_CreateEnvironment", "edgeview_CheckRuntime",
    "edgeview_MemFree",       "edgeview_ObjectAddRef",      "edgeview_ObjectRelease",
};
constexpr const char* ExportName(Export which) { return kExportNames[static_cast<int>(which)]; }

// `sample` is a wrapper of the class: blocks the library makes for `id` carry
// its routine table.
using RegisterClassFn = Value(__stdcall*)(const WrapperBlock* sample, ClassId id);
// Fills `result` (handle 0 when no environment can be made).
using CreateEnvironmentFn = Value(__stdcall*)(const EnvironmentOptions* options, WrapperBlock* result);
using CheckRuntimeFn = char*(__stdcall*)(Value value);  // a library text or 0
using MemFreeFn = Value(__stdcall*)(void* block);
using ObjectAddRefFn = Value(__stdcall*)(Handle handle, ClassId id);
using ObjectReleaseFn = Value(__stdcall*)(Handle handle, ClassId id);  // handle 0 does nothing

template <Export E> struct ExportType;
template <> struct ExportType<Export::kRegisterClass> { using Fn = RegisterClassFn; };
template <> struct ExportType<Export::kCreateEnvironment> { using Fn = CreateEnvironmentFn; };
template <> struct ExportType<Export::kCheckRuntime> { using Fn = CheckRuntimeFn; };
template <> struct ExportType<Export::kMemFree> { using Fn = MemFreeFn; };
template <> struct ExportType<Export::kObjectAddRef> { using Fn = ObjectAddRefFn; };
template <> struct ExportType<Export::kObjectRelease> { using Fn = ObjectReleaseFn; };

}  // namespace orvanta::edgeview
