// The wrappers around the browser library's objects, one class per library
// class, with the operations the client calls. See edge_object.h for what
// copying, destroying and empty wrappers do.
#pragma once

#include <string>
#include <string_view>

#include "edge_object.h"
#include "edge_records.h"

namespace orvanta {

class EdgeEventSink;

using EdgeContextMenuArgs = EdgeObject<edgeview::ClassId::kContextMenuArgs>;
using EdgeMenuItemList = EdgeObject<edgeview::ClassId::kMenuItemList>;
using EdgeMenuItem = EdgeObject<edgeview::ClassId::kMenuItem>;

// One browser: controller and web view in one object.
class EdgeWebView : public EdgeObject<edgeview::ClassId::kWebView> {
 public:
  using EdgeObject::EdgeObject;

  void SetBounds(const EdgeBounds& bounds) const;
  void Navigate(std::string_view url) const;
  void Reload() const;
  // All fields 0 for an empty web view.
  EdgeSettings GetSettings() const;
  void PutSettings(const EdgeSettings& settings) const;
  // The script's result as text, "" for none.
  std::string ExecuteScript(std::string_view script) const;
};

class EdgeEnvironment : public EdgeObject<edgeview::ClassId::kEnvironment> {
 public:
  using EdgeObject::EdgeObject;

  // Returns once the library has created the browser; the library delivers
  // it to the sink's WebViewCreated as well. `sink` must outlive the browser.
  // Empty when the environment is.
  EdgeWebView CreateWebView(const EdgeWebViewOptions& options, EdgeEventSink& sink) const;
};

class EdgeNewWindowArgs : public EdgeObject<edgeview::ClassId::kNewWindowArgs> {
 public:
  using EdgeObject::EdgeObject;

  std::string GetUri() const;
  bool IsUserInitiated() const;
  EdgeWindowFeatures GetWindowFeatures() const;
  // The browser that is to show the new window.
  void SetNewWindow(const EdgeWebView& web_view) const;
  void SetHandled(bool handled) const;
};

class EdgeScriptDialogArgs : public EdgeObject<edgeview::ClassId::kScriptDialogArgs> {
 public:
  using EdgeObject::EdgeObject;

  void Accept() const;
  // `text` is GBK; the library receives it as UTF-8.
  void SetResultText(std::string_view text) const;
  void Complete() const;
};

class EdgePermissionArgs : public EdgeObject<edgeview::ClassId::kPermissionArgs> {
 public:
  using EdgeObject::EdgeObject;

  static constexpr std::int32_t kAllow = static_cast<std::int32_t>(edgeview::permission_args::kStateAllow);

  void SetState(std::int32_t state) const;
  void SetHandled(bool handled) const;
};

}  // namespace orvanta
