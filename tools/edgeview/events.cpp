#include "events.h"

#include <cstdlib>
#include <functional>
#include <optional>

#include "codepage.h"
#include "standin.h"

namespace orvanta::standin {
namespace {

using ev::ClassId;
using ev::Handle;
using ev::Value;

StandIn& S() { return StandIn::Get(); }

std::optional<unsigned long> Number(const std::string& text) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  const unsigned long value = std::strtoul(text.c_str(), &end, 0);
  if (end == nullptr || *end != '\0') return std::nullopt;
  return value;
}

// Calls one event routine of the view's sink. The library holds a reference
// on the view while the routine runs (the client may drop its own inside);
// `args` (if any) is an object made for this event, lent for the call and
// dropped afterwards.
void Raise(Handle view, int event, const std::string& name, std::optional<ClassId> args_class,
           const std::function<Value(ev::SinkBlock*, const ev::WrapperBlock*)>& call,
           const std::function<void(Object&)>& fill_args = {}) {
  Object* target = S().Find(view, ClassId::kWebView, ("Event " + std::to_string(event)).c_str());
  if (target == nullptr) return;
  ev::SinkBlock* sink = target->sink;
  ++target->refs;
  Handle args = 0;
  ev::WrapperBlock block{};
  if (args_class) {
    args = S().Create(*args_class, 1);
    Object* object = S().FindAny(args);
    object->view = view;
    if (fill_args) fill_args(*object);
    block = S().Lend(args, *args_class);
  }
  S().Log().Line("Event " + std::to_string(event) + " " + name + " to web view " + std::to_string(view) +
                 (args != 0 ? " args=" + std::to_string(args) : ""));
  S().Note(view, "event " + std::to_string(event) + " " + name);
  const Value result = call(sink, args != 0 ? &block : nullptr);
  S().Log().Line("Event " + std::to_string(event) + " returned " + std::to_string(result));
  if (args != 0) S().Drop(args);
  S().Drop(view);
}

ev::Value DialogKind(const std::string& text) {
  static const char* const kinds[] = {"alert", "confirm", "prompt", "beforeunload"};
  for (Value i = 0; i < 4; ++i) {
    if (text == kinds[i]) return i;
  }
  return static_cast<Value>(Number(text).value_or(0));
}

void RaiseNumbered(Handle view, int event, const std::string& text_field) {
  const std::string gbk = Utf8ToGbk(text_field);
  const char* text = gbk.c_str();
  const auto& r = [](ev::SinkBlock* sink) { return sink->routines; };
  const std::string name = "(unnamed)";
  switch (event) {
    case 1: return Raise(view, 1, name, std::nullopt, [&](auto* s, auto*) { return r(s)->event1(s, 1); });
    case 4: return Raise(view, 4, name, std::nullopt, [&](auto* s, auto*) { return r(s)->event4(s, 1, 2); });
    case 5:
      return Raise(view, 5, name, std::nullopt,
                   [&](auto* s, auto*) { return r(s)->event5(s, 1, 2, 3, 4, &text, 6, 7); });
    case 6: return Raise(view, 6, name, std::nullopt, [&](auto* s, auto*) { return r(s)->event6(s, 1, 2, 3, 4); });
    case 7: return Raise(view, 7, name, std::nullopt, [&](auto* s, auto*) { return r(s)->event7(s, 1, 2); });
    case 8: return Raise(view, 8, name, std::nullopt, [&](auto* s, auto*) { return r(s)->event8(s, 1); });
    case 9:
      return Raise(view, 9, name, std::nullopt, [&](auto* s, auto*) { return r(s)->event9(s, 1, 2, 3, 4, 5); });
    case 12: return Raise(view, 12, name, std::nullopt, [&](auto* s, auto*) { return r(s)->event12(s, 1, 2); });
    case 14:
      return Raise(view, 14, name, ClassId::kUnnamed8,
                   [&](auto* s, auto* args) { return r(s)->event14(s, 1, 2, 3, 4, 5, args); });
    case 15:
      return Raise(view, 15, "kind " + QuoteGbk(gbk), ClassId::kUnnamed9,
                   [&](auto* s, auto* args) { return r(s)->event15(s, 1, 2, 3, 4, &text, 6, args); });
    case 16:
      return Raise(view, 16, name, std::nullopt,
                   [&](auto* s, auto*) { return r(s)->event16(s, 1, 2, 3, 4, 5); });
    case 17:
      return Raise(view, 17, name, std::nullopt, [&](auto* s, auto*) { return r(s)->event17(s, 1, 2, 3, 4); });
    case 18:
      return Raise(view, 18, name, std::nullopt, [&](auto* s, auto*) { return r(s)->event18(s, 1, 2, 3); });
    case 19:
      return Raise(view, 19, name, std::nullopt, [&](auto* s, auto*) { return r(s)->event19(s, 1, 2, 3, 4); });
    default:
      S().Log().Line("ERROR event " + std::to_string(event) + ": raised by its own command or no such event");
  }
}

std::string Field(const std::vector<std::string>& fields, std::size_t index) {
  return index < fields.size() ? fields[index] : std::string();
}

}  // namespace

void DeliverWebViewCreated(Handle view) {
  Object* target = S().Find(view, ClassId::kWebView, "Event 0");
  if (target == nullptr) return;
  ev::SinkBlock* sink = target->sink;
  const ev::WrapperBlock block = S().Lend(view, ClassId::kWebView);
  S().Log().Line("Event 0 WebViewCreated to web view " + std::to_string(view));
  const Value result = sink->routines->web_view_created(sink, &block);
  S().Log().Line("Event 0 returned " + std::to_string(result));
  S().Drop(view);  // the reference CreateWebView kept for this event
}

void RunCommand(const std::vector<std::string>& fields) {
  const std::string verb = Field(fields, 0);
  if (verb == "dump") return S().Dump();

  const std::string view_field = Field(fields, 1);
  const Handle view = view_field == "last" ? S().LastWebView() : static_cast<Handle>(Number(view_field).value_or(0));

  if (verb == "message") {
    const std::string gbk = Utf8ToGbk(Field(fields, 2));
    const char* text = gbk.c_str();
    return Raise(view, 3, "WebMessageReceived " + QuoteGbk(gbk), std::nullopt,
                 [&](ev::SinkBlock* s, auto*) { return s->routines->web_message_received(s, 0, &text); });
  }
  if (verb == "new-window") {
    const std::string uri = Utf8ToGbk(Field(fields, 2));
    const bool user_initiated = Field(fields, 3) != "0";
    return Raise(
        view, 2, "NewWindowRequested " + QuoteGbk(uri), ClassId::kNewWindowArgs,
        [&](ev::SinkBlock* s, const ev::WrapperBlock* args) { return s->routines->new_window_requested(s, 0, args); },
        [&](Object& args) {
          args.uri = uri;
          args.user_initiated = user_initiated;
        });
  }
  if (verb == "dialog") {
    const Value kind = DialogKind(Field(fields, 2));
    const std::string message = Field(fields, 3);       // UTF-8, as the browser gives it
    const std::string default_text = Field(fields, 4);  // UTF-8
    const char* message_text = message.c_str();
    const char* default_value = default_text.c_str();
    return Raise(
        view, 10, "ScriptDialogOpening kind " + std::to_string(kind) + " " + QuoteUtf8(message),
        ClassId::kScriptDialogArgs,
        [&](ev::SinkBlock* s, const ev::WrapperBlock* args) {
          return s->routines->script_dialog_opening(s, 0, 0, kind, &message_text, &default_value, args);
        },
        [&](Object& args) { args.dialog_kind = kind; });
  }
  if (verb == "permission") {
    const Value kind = static_cast<Value>(Number(Field(fields, 2)).value_or(0));
    return Raise(view, 13, "PermissionRequested kind " + std::to_string(kind), ClassId::kPermissionArgs,
                 [&](ev::SinkBlock* s, const ev::WrapperBlock* args) {
                   return s->routines->permission_requested(s, kind, 1, 0, 0, args);
                 });
  }
  if (verb == "context-menu") {
    return Raise(view, 11, "ContextMenuRequested", ClassId::kContextMenuArgs,
                 [&](ev::SinkBlock* s, const ev::WrapperBlock* args) {
                   return s->routines->context_menu_requested(s, 0, args);
                 });
  }
  if (verb == "event") {
    const auto event = Number(Field(fields, 2));
    return RaiseNumbered(view, event ? static_cast<int>(*event) : -1, Field(fields, 3));
  }
  if (verb == "script-result") {
    Object* target = S().Find(view, ClassId::kWebView, "script-result");
    if (target == nullptr) return;
    if (fields.size() > 2) {
      target->script_result = Utf8ToGbk(fields[2]);
    } else {
      target->script_result.reset();
    }
    return;
  }
  S().Log().Line("ERROR unknown command " + QuoteUtf8(verb));
}

}  // namespace orvanta::standin
