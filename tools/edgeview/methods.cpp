// The methods of the stand-in's objects: those the client calls. Every other
// entry of a table is null; the client checks for that before it calls.
#include <cstdio>
#include <string>

#include "codepage.h"
#include "standin.h"
#include "view_window.h"

namespace orvanta::standin {
namespace {

using ev::ClassId;
using ev::Handle;
using ev::Value;

StandIn& S() { return StandIn::Get(); }
std::string Id(Handle handle) { return " handle=" + std::to_string(handle); }
std::string Text(const char* text) { return text != nullptr ? text : ""; }

// Runs a method body; nothing may unwind into the client.
template <typename R, typename F>
R Guard(F body) {
  try {
    return body();
  } catch (...) {
    return R{};
  }
}

// ------------------------------------------------------------ environment

Value __stdcall CreateWebView(Handle handle, const ev::WebViewOptions* options, ev::SinkBlock* sink,
                              ev::WrapperBlock* result) {
  return Guard<Value>([&]() -> Value {
    if (S().Find(handle, ClassId::kEnvironment, "Environment.CreateWebView") == nullptr) return 0;
    if (options == nullptr || sink == nullptr || result == nullptr) {
      S().Log().Line("ERROR Environment.CreateWebView" + Id(handle) + ": null options, sink or wrapper");
      return 0;
    }
    // One reference for the wrapper filled here, one for WebViewCreated.
    const Handle view = S().Create(ClassId::kWebView, 2);
    Object* object = S().FindAny(view);
    object->sink = sink;
    object->window = WindowHandle(CreateViewWindow(options, view));
    S().Fill(result, view, ClassId::kWebView);
    char bounds[96];
    std::snprintf(bounds, sizeof bounds, " bounds=%ld,%ld,%ld,%ld flag=%ld", static_cast<long>(options->left),
                  static_cast<long>(options->top), static_cast<long>(options->right),
                  static_cast<long>(options->bottom), static_cast<long>(options->flag));
    S().Log().Line("Environment.CreateWebView" + Id(handle) + " parent=" +
                   Hex(static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(options->parent))) + bounds +
                   " profile=" + QuoteGbk(Text(options->profile_name)) + " -> handle=" + std::to_string(view) +
                   (object->window ? "" : " (no window: the parent is not a window)"));
    S().Note(view, "created");
    S().PostCreated(view);
    return 1;
  });
}

// ---------------------------------------------------------------- web view

Value __stdcall SetBounds(Handle handle, const ev::Bounds* bounds) {
  return Guard<Value>([&]() -> Value {
    Object* view = S().Find(handle, ClassId::kWebView, "WebView.SetBounds");
    if (view == nullptr || bounds == nullptr) return 0;
    char text[64];
    std::snprintf(text, sizeof text, "%ld,%ld,%ld,%ld", static_cast<long>(bounds->left),
                  static_cast<long>(bounds->top), static_cast<long>(bounds->right), static_cast<long>(bounds->bottom));
    if (view->window) MoveViewWindow(view->window.get(), *bounds);
    S().Log().Line("WebView.SetBounds" + Id(handle) + " bounds=" + text);
    return 1;
  });
}

Value __stdcall Navigate(Handle handle, const char* url) {
  return Guard<Value>([&]() -> Value {
    Object* view = S().Find(handle, ClassId::kWebView, "WebView.Navigate");
    if (view == nullptr) return 0;
    view->url = Text(url);
    if (view->window) SetWindowTextW(view->window.get(), ToWide(view->url).c_str());
    S().Log().Line("WebView.Navigate" + Id(handle) + " url=" + QuoteGbk(view->url));
    S().Note(handle, "navigate " + QuoteGbk(view->url));
    return 1;
  });
}

Value __stdcall Reload(Handle handle) {
  return Guard<Value>([&]() -> Value {
    Object* view = S().Find(handle, ClassId::kWebView, "WebView.Reload");
    if (view == nullptr) return 0;
    ++view->reloads;
    S().Log().Line("WebView.Reload" + Id(handle));
    S().Note(handle, "reload");
    return 1;
  });
}

std::string SettingsText(const ev::Settings& settings) {
  std::string text;
  for (int i = 0; i < ev::kSettingsFieldCount; ++i) text += (i > 0 ? "," : "") + std::to_string(settings.field[i]);
  return text;
}

Value __stdcall GetSettings(Handle handle, ev::Settings* out) {
  return Guard<Value>([&]() -> Value {
    Object* view = S().Find(handle, ClassId::kWebView, "WebView.GetSettings");
    if (view == nullptr || out == nullptr) return 0;
    *out = view->settings;
    S().Log().Line("WebView.GetSettings" + Id(handle) + " -> " + SettingsText(view->settings));
    return 1;
  });
}

Value __stdcall PutSettings(Handle handle, const ev::Settings* settings) {
  return Guard<Value>([&]() -> Value {
    Object* view = S().Find(handle, ClassId::kWebView, "WebView.PutSettings");
    if (view == nullptr || settings == nullptr) return 0;
    view->settings = *settings;
    S().Log().Line("WebView.PutSettings" + Id(handle) + " settings=" + SettingsText(*settings));
    S().Note(handle, "settings " + SettingsText(*settings));
    return 1;
  });
}

char* __stdcall ExecuteScript(Handle handle, const char* script) {
  return Guard<char*>([&]() -> char* {
    Object* view = S().Find(handle, ClassId::kWebView, "WebView.ExecuteScript");
    if (view == nullptr) return nullptr;
    char* result = view->script_result ? S().NewText(*view->script_result) : nullptr;
    S().Log().Line("WebView.ExecuteScript" + Id(handle) + " script=" + QuoteGbk(Text(script)) + " -> " +
                   (result != nullptr ? "block " + Hex(reinterpret_cast<std::uintptr_t>(result)) : "0"));
    S().Note(handle, "script " + QuoteGbk(Text(script)));
    return result;
  });
}

// ------------------------------------------------------ new-window request

char* __stdcall GetUri(Handle handle) {
  return Guard<char*>([&]() -> char* {
    Object* args = S().Find(handle, ClassId::kNewWindowArgs, "NewWindowArgs.GetUri");
    if (args == nullptr) return nullptr;
    char* text = S().NewText(args->uri);
    S().Log().Line("NewWindowArgs.GetUri" + Id(handle) + " -> block " + Hex(reinterpret_cast<std::uintptr_t>(text)));
    return text;
  });
}

Value __stdcall IsUserInitiated(Handle handle) {
  return Guard<Value>([&]() -> Value {
    Object* args = S().Find(handle, ClassId::kNewWindowArgs, "NewWindowArgs.IsUserInitiated");
    if (args == nullptr) return 0;
    S().Log().Line("NewWindowArgs.IsUserInitiated" + Id(handle) + " -> " + (args->user_initiated ? "1" : "0"));
    return args->user_initiated ? 1 : 0;
  });
}

Value __stdcall GetWindowFeatures(Handle handle, ev::WindowFeatures* out) {
  return Guard<Value>([&]() -> Value {
    Object* args = S().Find(handle, ClassId::kNewWindowArgs, "NewWindowArgs.GetWindowFeatures");
    if (args == nullptr || out == nullptr) return 0;
    // No position or size; menu, status, tool and scroll bars shown.
    *out = ev::WindowFeatures{{0, 0, 0, 0, 0, 0, 1, 1, 1, 1}};
    S().Log().Line("NewWindowArgs.GetWindowFeatures" + Id(handle));
    return 1;
  });
}

Value __stdcall SetNewWindow(Handle handle, Handle web_view) {
  return Guard<Value>([&]() -> Value {
    Object* args = S().Find(handle, ClassId::kNewWindowArgs, "NewWindowArgs.SetNewWindow");
    if (args == nullptr) return 0;
    const std::string call = "NewWindowArgs.SetNewWindow" + Id(handle) + " web_view=" + std::to_string(web_view);
    Object* target = S().FindAny(web_view);
    if (target == nullptr || target->id != ClassId::kWebView) {
      S().Log().Line("ERROR " + call + ": not a web view");
      return 0;
    }
    args->new_window = web_view;
    // The new window shows the requested page.
    target->url = args->uri;
    if (target->window) SetWindowTextW(target->window.get(), ToWide(target->url).c_str());
    S().Log().Line(call);
    S().Note(web_view, "opened as new window: " + QuoteGbk(target->url));
    return 1;
  });
}

Value __stdcall NewWindowSetHandled(Handle handle, Value flag) {
  return Guard<Value>([&]() -> Value {
    Object* args = S().Find(handle, ClassId::kNewWindowArgs, "NewWindowArgs.SetHandled");
    if (args == nullptr) return 0;
    args->handled = flag != 0;
    S().Log().Line("NewWindowArgs.SetHandled" + Id(handle) + " flag=" + std::to_string(flag));
    return 1;
  });
}

// ------------------------------------------------------------ script dialog

Value __stdcall Accept(Handle handle) {
  return Guard<Value>([&]() -> Value {
    Object* args = S().Find(handle, ClassId::kScriptDialogArgs, "ScriptDialogArgs.Accept");
    if (args == nullptr) return 0;
    args->accepted = true;
    S().Log().Line("ScriptDialogArgs.Accept" + Id(handle));
    return 1;
  });
}

Value __stdcall SetResultText(Handle handle, const char* utf8_text) {
  return Guard<Value>([&]() -> Value {
    Object* args = S().Find(handle, ClassId::kScriptDialogArgs, "ScriptDialogArgs.SetResultText");
    if (args == nullptr) return 0;
    args->result_text = Text(utf8_text);
    S().Log().Line("ScriptDialogArgs.SetResultText" + Id(handle) + " text=" + QuoteUtf8(*args->result_text));
    return 1;
  });
}

Value __stdcall Complete(Handle handle) {
  return Guard<Value>([&]() -> Value {
    Object* args = S().Find(handle, ClassId::kScriptDialogArgs, "ScriptDialogArgs.Complete");
    if (args == nullptr) return 0;
    args->completed = true;
    S().Log().Line("ScriptDialogArgs.Complete" + Id(handle));
    return 1;
  });
}

// -------------------------------------------------------------- permission

Value __stdcall SetState(Handle handle, Value state) {
  return Guard<Value>([&]() -> Value {
    Object* args = S().Find(handle, ClassId::kPermissionArgs, "PermissionArgs.SetState");
    if (args == nullptr) return 0;
    args->state = state;
    S().Log().Line("PermissionArgs.SetState" + Id(handle) + " state=" + std::to_string(state));
    return 1;
  });
}

Value __stdcall PermissionSetHandled(Handle handle, Value flag) {
  return Guard<Value>([&]() -> Value {
    Object* args = S().Find(handle, ClassId::kPermissionArgs, "PermissionArgs.SetHandled");
    if (args == nullptr) return 0;
    args->handled = flag != 0;
    S().Log().Line("PermissionArgs.SetHandled" + Id(handle) + " flag=" + std::to_string(flag));
    return 1;
  });
}

// ------------------------------------------------- events 14 and 15 arguments

template <ClassId Class>
Value __stdcall EventArgsMethod0(Handle handle, const void* record) {
  return Guard<Value>([&]() -> Value {
    const std::string name = std::string(ClassName(Class)) + ".Method0";
    Object* args = S().Find(handle, Class, name.c_str());
    if (args == nullptr) return 0;
    args->completed = true;
    S().Log().Line(name + Id(handle) + " record=" + Hex(reinterpret_cast<std::uintptr_t>(record)));
    return 1;
  });
}

Value __stdcall Event15Method2(Handle handle, const void* record, const void* data, Value length) {
  return Guard<Value>([&]() -> Value {
    Object* args = S().Find(handle, ClassId::kUnnamed9, "Event15Args.Method2");
    if (args == nullptr) return 0;
    std::string head;
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (Value i = 0; bytes != nullptr && i < length && i < 8; ++i) {
      char hex[3];
      std::snprintf(hex, sizeof hex, "%02X", bytes[i]);
      head += hex;
    }
    S().Log().Line("Event15Args.Method2" + Id(handle) + " record=" + Hex(reinterpret_cast<std::uintptr_t>(record)) +
                   " length=" + std::to_string(length) + " head=" + head);
    return 1;
  });
}

// ------------------------------------------------------------------ tables

template <typename M, typename F>
void Put(ev::AnyMethod* table, F* function) {
  const typename M::Fn typed = function;  // the signature must be the one of the interface
  table[M::kIndex] = reinterpret_cast<ev::AnyMethod>(typed);
}

struct Tables {
  ev::AnyMethod environment[ev::kMethodCount[0]] = {};
  ev::AnyMethod web_view[ev::kMethodCount[1]] = {};
  ev::AnyMethod new_window_args[ev::kMethodCount[2]] = {};
  ev::AnyMethod script_dialog_args[ev::kMethodCount[3]] = {};
  ev::AnyMethod context_menu_args[ev::kMethodCount[4]] = {};
  ev::AnyMethod menu_item_list[ev::kMethodCount[5]] = {};
  ev::AnyMethod menu_item[ev::kMethodCount[6]] = {};
  ev::AnyMethod permission_args[ev::kMethodCount[7]] = {};
  ev::AnyMethod event14_args[ev::kMethodCount[8]] = {};
  ev::AnyMethod event15_args[ev::kMethodCount[9]] = {};
  ev::AnyMethod unnamed10[ev::kMethodCount[10]] = {};
  ev::AnyMethod unnamed11[ev::kMethodCount[11]] = {};

  Tables() {
    Put<ev::environment::CreateWebView>(environment, &CreateWebView);
    Put<ev::webview::SetBounds>(web_view, &SetBounds);
    Put<ev::webview::Navigate>(web_view, &Navigate);
    Put<ev::webview::Reload>(web_view, &Reload);
    Put<ev::webview::GetSettings>(web_view, &GetSettings);
    Put<ev::webview::PutSettings>(web_view, &PutSettings);
    Put<ev::webview::ExecuteScript>(web_view, &ExecuteScript);
    Put<ev::new_window_args::GetUri>(new_window_args, &GetUri);
    Put<ev::new_window_args::IsUserInitiated>(new_window_args, &IsUserInitiated);
    Put<ev::new_window_args::GetWindowFeatures>(new_window_args, &GetWindowFeatures);
    Put<ev::new_window_args::SetNewWindow>(new_window_args, &SetNewWindow);
    Put<ev::new_window_args::SetHandled>(new_window_args, &NewWindowSetHandled);
    Put<ev::script_dialog_args::Accept>(script_dialog_args, &Accept);
    Put<ev::script_dialog_args::SetResultText>(script_dialog_args, &SetResultText);
    Put<ev::script_dialog_args::Complete>(script_dialog_args, &Complete);
    Put<ev::permission_args::SetState>(permission_args, &SetState);
    Put<ev::permission_args::SetHandled>(permission_args, &PermissionSetHandled);
    Put<ev::event_args::Method0>(event14_args, &EventArgsMethod0<ClassId::kUnnamed8>);
    Put<ev::event_args::Method0>(event15_args, &EventArgsMethod0<ClassId::kUnnamed9>);
    Put<ev::event_args::Method2>(event15_args, &Event15Method2);
  }

  const ev::AnyMethod* For(ClassId id) const {
    const ev::AnyMethod* const all[ev::kClassCount] = {
        environment,  web_view,        new_window_args, script_dialog_args, context_menu_args, menu_item_list,
        menu_item,    permission_args, event14_args,    event15_args,       unnamed10,         unnamed11};
    const int index = static_cast<int>(id);
    return index >= 0 && index < ev::kClassCount ? all[index] : nullptr;
  }
};

}  // namespace

const ev::AnyMethod* MethodTable(ev::ClassId id) {
  static const Tables tables;
  return tables.For(id);
}

}  // namespace orvanta::standin
