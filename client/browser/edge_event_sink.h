// The event objects whose routines the browser library calls for the events
// of the browser they were given with: the routine table sits in the first
// word of the sink, entry 2 + n for event n (edgeview_abi.h).
//
// The library lends each event's texts and objects for the length of the
// call. A sink that hands an object on gives its handler a wrapper of its own
// (one reference), which the handler may keep by moving it; everything else
// is left alone, so an ignored event makes no library call at all.
//
// A sink should outlive the browsers created with it: the library keeps its
// address. Events for a sink that no longer exists, or for a copy the library
// made of one, are ignored. Events arrive on the thread of the message loop
// and may nest inside any handler that lets window messages run.
#pragma once

#include <string>

#include "edge_wrappers.h"
#include "edgeview_abi.h"

namespace orvanta {

using ScriptDialogKind = edgeview::ScriptDialogKind;

struct EdgeScriptDialog {
  ScriptDialogKind kind;     // a value beyond 0..3 passes on unchanged
  std::string message;       // GBK (the library sends UTF-8)
  std::string default_text;  // GBK
};

class EdgeEventSink {
 public:
  EdgeEventSink(const EdgeEventSink&) = delete;
  EdgeEventSink& operator=(const EdgeEventSink&) = delete;
  virtual ~EdgeEventSink();

  // The sink as the library takes it (CreateWebView).
  edgeview::SinkBlock* Block() { return &block_; }

 protected:
  EdgeEventSink();

  // The events either sink acts on, with the library's lent arguments. The
  // defaults do nothing, except events 14 and 15, where both sinks call
  // method 0 of the argument object with its optional record omitted.
  virtual void OnWebViewCreated(const edgeview::WrapperBlock* /*web_view*/) {}
  virtual void OnNewWindowRequested(const edgeview::WrapperBlock* /*args*/) {}
  virtual void OnWebMessageReceived(const char* /*message*/) {}
  virtual void OnScriptDialogOpening(edgeview::Value /*kind*/, const char* /*message_utf8*/,
                                     const char* /*default_text_utf8*/, const edgeview::WrapperBlock* /*args*/) {}
  virtual void OnContextMenuRequested(const edgeview::WrapperBlock* /*args*/) {}
  virtual void OnPermissionRequested(const edgeview::WrapperBlock* /*args*/) {}
  virtual void OnEvent14(const edgeview::WrapperBlock* args);
  virtual void OnEvent15(const char* kind, const edgeview::WrapperBlock* args);

  // Calls method M of a lent object; no call when it is null or empty.
  template <typename M, typename... A>
  static void CallLent(const edgeview::WrapperBlock* object, A... args) {
    if (object == nullptr || object->handle == 0 || object->methods == nullptr) return;
    if (const auto method = reinterpret_cast<typename M::Fn>(object->methods[M::kIndex])) {
      method(object->handle, args...);
    }
  }

 private:
  struct Dispatch;  // the routines the library calls; they find the sink by its block

  edgeview::SinkBlock block_;
};

// What the client does with the events of its main browser.
class MainBrowserEvents {
 public:
  virtual void WebViewCreated(EdgeWebView web_view) = 0;
  virtual void NewWindowRequested(EdgeNewWindowArgs args) = 0;
  virtual void WebMessageReceived(const std::string& message) = 0;  // as the library sent it
  virtual void ScriptDialogOpening(const EdgeScriptDialog& dialog, EdgeScriptDialogArgs args) = 0;
  virtual void PermissionRequested(EdgePermissionArgs args) = 0;

 protected:
  ~MainBrowserEvents() = default;
};

// The sink of the main browser: the named events go to the client's
// handlers; a context-menu request makes and drops an empty EdgeMenuItem
// (the browser shows its default menu); event 15 of the kind "Image" hands
// the library the client's icon before completing.
class MainEventSink final : public EdgeEventSink {
 public:
  // `icon_image`: the client's built-in 32x32 icon, a whole ICO file.
  MainEventSink(MainBrowserEvents& events, std::string icon_image);

 private:
  void OnWebViewCreated(const edgeview::WrapperBlock* web_view) override;
  void OnNewWindowRequested(const edgeview::WrapperBlock* args) override;
  void OnWebMessageReceived(const char* message) override;
  void OnScriptDialogOpening(edgeview::Value kind, const char* message_utf8, const char* default_text_utf8,
                             const edgeview::WrapperBlock* args) override;
  void OnContextMenuRequested(const edgeview::WrapperBlock* args) override;
  void OnPermissionRequested(const edgeview::WrapperBlock* args) override;
  void OnEvent15(const char* kind, const edgeview::WrapperBlock* args) override;

  MainBrowserEvents& events_;
  std::string icon_image_;
};

// The sink of the secondary page browser: it acts on nothing but events 14
// and 15, where it only completes the argument object.
class PageEventSink final : public EdgeEventSink {};

}  // namespace orvanta
