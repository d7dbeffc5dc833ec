#include "edge_wrappers.h"

#include "codepage.h"
#include "edge_event_sink.h"

namespace orvanta {

namespace ev = edgeview;

void EdgeWebView::SetBounds(const EdgeBounds& bounds) const { Call<ev::webview::SetBounds>(&bounds); }

void EdgeWebView::Navigate(std::string_view url) const {
  const std::string text(url);
  Call<ev::webview::Navigate>(text.c_str());
}

void EdgeWebView::Reload() const { Call<ev::webview::Reload>(); }

EdgeSettings EdgeWebView::GetSettings() const {
  EdgeSettings settings;
  Call<ev::webview::GetSettings>(&settings.Record());
  return settings;
}

void EdgeWebView::PutSettings(const EdgeSettings& settings) const {
  Call<ev::webview::PutSettings>(&settings.Record());
}

std::string EdgeWebView::ExecuteScript(std::string_view script) const {
  const std::string text(script);
  return CallForText<ev::webview::ExecuteScript>(text.c_str());
}

EdgeWebView EdgeEnvironment::CreateWebView(const EdgeWebViewOptions& options, EdgeEventSink& sink) const {
  const ev::WebViewOptions record{options.parent,        options.bounds.left,  options.bounds.top,
                                  options.bounds.right,  options.bounds.bottom, options.flag,
                                  options.profile_name.c_str()};
  return CallForObject<ev::environment::CreateWebView, EdgeWebView>(&record, sink.Block());
}

std::string EdgeNewWindowArgs::GetUri() const { return CallForText<ev::new_window_args::GetUri>(); }

bool EdgeNewWindowArgs::IsUserInitiated() const { return Call<ev::new_window_args::IsUserInitiated>() != 0; }

EdgeWindowFeatures EdgeNewWindowArgs::GetWindowFeatures() const {
  EdgeWindowFeatures features{};
  Call<ev::new_window_args::GetWindowFeatures>(&features);
  return features;
}

void EdgeNewWindowArgs::SetNewWindow(const EdgeWebView& web_view) const {
  Call<ev::new_window_args::SetNewWindow>(web_view.GetHandle());
}

void EdgeNewWindowArgs::SetHandled(bool handled) const {
  Call<ev::new_window_args::SetHandled>(ev::Value{handled ? 1u : 0u});
}

void EdgeScriptDialogArgs::Accept() const { Call<ev::script_dialog_args::Accept>(); }

void EdgeScriptDialogArgs::SetResultText(std::string_view text) const {
  if (IsEmpty()) return;
  const std::string utf8 = GbkToUtf8(text);
  Call<ev::script_dialog_args::SetResultText>(utf8.c_str());
}

void EdgeScriptDialogArgs::Complete() const { Call<ev::script_dialog_args::Complete>(); }

void EdgePermissionArgs::SetState(std::int32_t state) const {
  Call<ev::permission_args::SetState>(static_cast<ev::Value>(state));
}

void EdgePermissionArgs::SetHandled(bool handled) const {
  Call<ev::permission_args::SetHandled>(ev::Value{handled ? 1u : 0u});
}

}  // namespace orvanta
