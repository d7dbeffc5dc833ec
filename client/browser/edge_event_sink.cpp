#include "edge_event_sink.h"

#include <map>
#include <string_view>

#include "codepage.h"

namespace orvanta {

namespace ev = edgeview;

namespace {

const char* TextOf(ev::TextRef text) { return text != nullptr && *text != nullptr ? *text : ""; }

// The sinks that exist, by the block the library was given. Never torn down:
// process-wide sinks leave it while the process ends.
std::map<const ev::SinkBlock*, EdgeEventSink*>& LiveSinks() {
  static auto* const sinks = new std::map<const ev::SinkBlock*, EdgeEventSink*>;
  return *sinks;
}

// Dialog texts arrive as UTF-8; one that is not is shown as it came rather
// than lost.
std::string DialogText(const char* utf8) {
  std::string gbk;
  return DecodeUtf8ToGbk(utf8, gbk) ? gbk : std::string(utf8);
}

}  // namespace

// Each routine runs one handler. Nothing may unwind into the library's
// frames, so whatever a handler throws ends here.
struct EdgeEventSink::Dispatch {
  static EdgeEventSink* Owner(const ev::SinkBlock* block) {
    const auto found = LiveSinks().find(block);
    return found != LiveSinks().end() ? found->second : nullptr;
  }

  template <typename F>
  static ev::Value Run(ev::SinkBlock* block, F handler) {
    EdgeEventSink* sink = Owner(block);
    if (sink == nullptr) return 0;
    try {
      handler(*sink);
    } catch (...) {
    }
    return 0;
  }

  // The library knows only the routine table of a sink; that is all a copy
  // it makes gets (and events sent to such a copy are ignored).
  static void __stdcall Destroy(ev::SinkBlock*) {}
  static void __stdcall Copy(ev::SinkBlock* self, const ev::SinkBlock* from) {
    if (self != nullptr && from != nullptr) self->routines = from->routines;
  }

  static ev::Value __stdcall WebViewCreated(ev::SinkBlock* self, ev::ObjectRef web_view) {
    return Run(self, [&](EdgeEventSink& sink) { sink.OnWebViewCreated(web_view); });
  }
  static ev::Value __stdcall NewWindowRequested(ev::SinkBlock* self, ev::Value, ev::ObjectRef args) {
    return Run(self, [&](EdgeEventSink& sink) { sink.OnNewWindowRequested(args); });
  }
  static ev::Value __stdcall WebMessageReceived(ev::SinkBlock* self, ev::Value, ev::TextRef message) {
    return Run(self, [&](EdgeEventSink& sink) { sink.OnWebMessageReceived(TextOf(message)); });
  }
  static ev::Value __stdcall ScriptDialogOpening(ev::SinkBlock* self, ev::Value, ev::Value, ev::Value kind,
                                                 ev::TextRef message, ev::TextRef default_text, ev::ObjectRef args) {
    return Run(self, [&](EdgeEventSink& sink) {
      sink.OnScriptDialogOpening(kind, TextOf(message), TextOf(default_text), args);
    });
  }
  static ev::Value __stdcall ContextMenuRequested(ev::SinkBlock* self, ev::Value, ev::ObjectRef args) {
    return Run(self, [&](EdgeEventSink& sink) { sink.OnContextMenuRequested(args); });
  }
  static ev::Value __stdcall PermissionRequested(ev::SinkBlock* self, ev::Value, ev::Value, ev::Value, ev::Value,
                                                 ev::ObjectRef args) {
    return Run(self, [&](EdgeEventSink& sink) { sink.OnPermissionRequested(args); });
  }
  static ev::Value __stdcall Event14(ev::SinkBlock* self, ev::Value, ev::Value, ev::Value, ev::Value, ev::Value,
                                     ev::ObjectRef args) {
    return Run(self, [&](EdgeEventSink& sink) { sink.OnEvent14(args); });
  }
  static ev::Value __stdcall Event15(ev::SinkBlock* self, ev::Value, ev::Value, ev::Value, ev::Value,
                                     ev::TextRef kind, ev::Value, ev::ObjectRef args) {
    return Run(self, [&](EdgeEventSink& sink) { sink.OnEvent15(TextOf(kind), args); });
  }

  // The events no sink acts on (5 and 16 answer 0, as all of these do).
  static ev::Value __stdcall Ignore1(ev::SinkBlock*, ev::Value) { return 0; }
  static ev::Value __stdcall Ignore2(ev::SinkBlock*, ev::Value, ev::Value) { return 0; }
  static ev::Value __stdcall Ignore3(ev::SinkBlock*, ev::Value, ev::Value, ev::Value) { return 0; }
  static ev::Value __stdcall Ignore4(ev::SinkBlock*, ev::Value, ev::Value, ev::Value, ev::Value) { return 0; }
  static ev::Value __stdcall Ignore5(ev::SinkBlock*, ev::Value, ev::Value, ev::Value, ev::Value, ev::Value) {
    return 0;
  }
  static ev::Value __stdcall Ignore5Lines(ev::SinkBlock*, ev::Value, ev::Value, ev::Value, ev::Value, ev::TextRef,
                                          ev::Value, ev::Value) {
    return 0;
  }

  static constexpr ev::SinkRoutines kRoutines{
      &Destroy,              &Copy,
      &WebViewCreated,       &Ignore1,             &NewWindowRequested, &WebMessageReceived,
      &Ignore2,              &Ignore5Lines,        &Ignore4,            &Ignore2,
      &Ignore1,              &Ignore5,             &ScriptDialogOpening, &ContextMenuRequested,
      &Ignore2,              &PermissionRequested, &Event14,            &Event15,
      &Ignore5,              &Ignore4,             &Ignore3,            &Ignore4,
  };
};

EdgeEventSink::EdgeEventSink() : block_{&Dispatch::kRoutines} { LiveSinks()[&block_] = this; }

EdgeEventSink::~EdgeEventSink() { LiveSinks().erase(&block_); }

void EdgeEventSink::OnEvent14(const ev::WrapperBlock* args) { CallLent<ev::event_args::Method0>(args, nullptr); }

void EdgeEventSink::OnEvent15(const char* /*kind*/, const ev::WrapperBlock* args) {
  CallLent<ev::event_args::Method0>(args, nullptr);
}

MainEventSink::MainEventSink(MainBrowserEvents& events, std::string icon_image)
    : events_(events), icon_image_(std::move(icon_image)) {}

void MainEventSink::OnWebViewCreated(const ev::WrapperBlock* web_view) { events_.WebViewCreated(EdgeWebView(web_view)); }

void MainEventSink::OnNewWindowRequested(const ev::WrapperBlock* args) {
  events_.NewWindowRequested(EdgeNewWindowArgs(args));
}

void MainEventSink::OnWebMessageReceived(const char* message) { events_.WebMessageReceived(message); }

void MainEventSink::OnScriptDialogOpening(ev::Value kind, const char* message_utf8, const char* default_text_utf8,
                                          const ev::WrapperBlock* args) {
  const EdgeScriptDialog dialog{static_cast<ScriptDialogKind>(kind), DialogText(message_utf8),
                                DialogText(default_text_utf8)};
  events_.ScriptDialogOpening(dialog, EdgeScriptDialogArgs(args));
}

void MainEventSink::OnContextMenuRequested(const ev::WrapperBlock* /*args*/) {
  // The browser shows its default menu; the client only makes (and so
  // registers) a menu item and lets it go.
  EdgeMenuItem item;
}

void MainEventSink::OnPermissionRequested(const ev::WrapperBlock* args) {
  events_.PermissionRequested(EdgePermissionArgs(args));
}

void MainEventSink::OnEvent15(const char* kind, const ev::WrapperBlock* args) {
  if (std::string_view(kind) == "Image") {
    CallLent<ev::event_args::Method2>(args, nullptr, static_cast<const void*>(icon_image_.data()),
                                      static_cast<ev::Value>(icon_image_.size()));
  }
  CallLent<ev::event_args::Method0>(args, nullptr);
}

}  // namespace orvanta
