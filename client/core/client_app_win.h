// The client's process-wide state and its start-up routine: everything that
// lives from the start of the process to "退出", on the one UI thread.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "client_config.h"
#include "edge_event_sink.h"
#include "edge_library.h"
#include "edge_wrappers.h"
#include "join_window_win.h"
#include "main_window_win.h"

namespace orvanta {

class ClientApp final : public MainWindowHost, public JoinWindowHost, public MainBrowserEvents {
 public:
  ClientApp(HINSTANCE instance, std::string runDirectory);
  ~ClientApp() override;

  // The start-up routine: reads the binding, creates the browser environment
  // and the windows, and asks for the main browser. Returns before the message
  // loop; false when the main window could not be created.
  bool Start();
  // Runs the message loop until "退出"; returns the exit code.
  int Run();
  HWND MainWindowHandle() const { return mainWindow_.handle(); }

  // MainWindowHost
  bool HasBrowser() const override;
  void FitBrowser(int width, int height) override;
  void ReloadBrowser() override;
  void OpenServerSettings() override;
  void PrepareExit() override;

  // JoinWindowHost
  std::string ServerNumber() const override { return serverNumber_; }
  std::string StoredLoginUrl() const override { return config_.LoginUrl(); }
  void OnJoinClicked() override;

  // MainBrowserEvents
  void WebViewCreated(EdgeWebView webView) override;
  void NewWindowRequested(EdgeNewWindowArgs args) override;
  void WebMessageReceived(const std::string& message) override;
  void ScriptDialogOpening(const EdgeScriptDialog& dialog, EdgeScriptDialogArgs args) override;
  void PermissionRequested(EdgePermissionArgs args) override;

 private:
  // Reads a site entry; on success it becomes the binding and is stored, and
  // true comes back. A failure is shown in the timed box when reported.
  bool DecodeSiteEntry(std::string_view entry, bool reportFailure);
  std::string LoginAddress() const;

  HINSTANCE instance_;
  std::string runDirectory_;
  // Constructed first: binding the library is the fatal stop when it is
  // missing, before anything else exists.
  EdgeLibrary library_;
  // The sink outlives the browsers made with it: they are released first.
  MainEventSink mainEventSink_;
  EdgeEnvironment environment_;
  EdgeWebView mainWebView_;
  std::unique_ptr<ProfileStore> configFile_;
  mutable ClientConfig config_;
  std::string siteBaseUrl_;   // empty: not bound to a site
  std::string serverNumber_;  // [main] hostdataid
  std::string loginPath_;     // [main] loginurl
  JoinServerWindow joinWindow_;
  MainWindow mainWindow_;
};

}  // namespace orvanta
