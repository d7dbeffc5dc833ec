// What the browser tests share: a parent window, handlers that record what
// the sinks hand them, and a fixture that constructs EdgeLibrary first (as the
// client does) and checks after every test that the stand-in holds no object
// or text block any more and reported no error.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "edge_event_sink.h"
#include "edge_library.h"
#include "standin_driver.h"
#include "win/unique_handle.h"

namespace orvanta::testing {

using WindowHandle = UniqueHandle<HWND, DestroyWindow>;

// A UTF-8 source literal as bytes: Utf8(u8"客服").
inline std::string Utf8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

// A visible top-level window to hold the browsers.
WindowHandle MakeParentWindow();

// The client's icon as the main sink hands it over: a 32x32 ICO of 4,286 bytes.
std::string TestIcon();

// Records the main sink's events; a test may add what a handler does.
class RecordingEvents : public MainBrowserEvents {
 public:
  void WebViewCreated(EdgeWebView web_view) override;
  void NewWindowRequested(EdgeNewWindowArgs args) override;
  void WebMessageReceived(const std::string& message) override;
  void ScriptDialogOpening(const EdgeScriptDialog& dialog, EdgeScriptDialogArgs args) override;
  void PermissionRequested(EdgePermissionArgs args) override;

  std::vector<edgeview::Handle> created;  // handles of the delivered browsers
  std::optional<EdgeWebView> kept;        // the last delivered browser, kept
  std::vector<std::string> messages;
  std::vector<EdgeScriptDialog> dialogs;
  std::function<void(EdgeNewWindowArgs&)> on_new_window;
  std::function<void(const EdgeScriptDialog&, EdgeScriptDialogArgs&)> on_dialog;
  std::function<void(EdgePermissionArgs&)> on_permission;
  int new_window_requests = 0;
  int permission_requests = 0;
};

// A sink that only notes the blocks the library lends it (no reference taken):
// the tests read the library's method tables from them.
class BlockRecordingSink : public EdgeEventSink {
 public:
  std::vector<edgeview::WrapperBlock> blocks;

 private:
  void OnWebViewCreated(const edgeview::WrapperBlock* web_view) override { blocks.push_back(*web_view); }
  void OnNewWindowRequested(const edgeview::WrapperBlock* args) override { blocks.push_back(*args); }
  void OnScriptDialogOpening(edgeview::Value, const char*, const char*, const edgeview::WrapperBlock* args) override {
    blocks.push_back(*args);
  }
  void OnPermissionRequested(const edgeview::WrapperBlock* args) override { blocks.push_back(*args); }
};

class BrowserTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  EdgeEnvironment MakeEnvironment();
  // Creates a browser in the parent window and waits until the library has
  // delivered it to the sink's WebViewCreated.
  EdgeWebView MakeWebView(const EdgeEnvironment& environment, EdgeEventSink& sink);
  // Sends a command and fails the test when the stand-in does not take it.
  void Drive(const std::vector<std::string>& fields);

  EdgeLibrary library_;  // first, as in the client: it registers the classes
  StandInDriver standin_;
  WindowHandle parent_ = MakeParentWindow();
};

}  // namespace orvanta::testing
