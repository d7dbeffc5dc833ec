#include "client_app_win.h"

#include "codepage.h"
#include "message_boxes_win.h"
#include "site_entry.h"

namespace orvanta {

ClientApp::ClientApp(HINSTANCE instance, std::string runDirectory)
    : instance_(instance),
      runDirectory_(std::move(runDirectory)),
      configFile_(OpenConfigFile(runDirectory_)),
      config_(*configFile_),
      joinWindow_(*this),
      mainWindow_(config_, *this) {}

ClientApp::~ClientApp() = default;

bool ClientApp::Start() {
  DecodeSiteEntry(config_.HostData(), false);
  serverNumber_ = config_.HostDataId();
  loginPath_ = config_.LoginUrl();
  if (loginPath_.empty()) {
    loginPath_ = "service/login";
    config_.SetLoginUrl(loginPath_);
  }
  joinWindow_.Load(instance_);
  if (!mainWindow_.Create(instance_)) return false;
  if (siteBaseUrl_.empty()) joinWindow_.Show();  // in front of the main window
  return true;
}

int ClientApp::Run() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (joinWindow_.Exists() && IsDialogMessageW(joinWindow_.handle(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

void ClientApp::DecodeSiteEntry(std::string_view entry, bool reportFailure) {
  if (entry.empty()) return;
  const SiteEntry read = ReadSiteEntry(entry);
  if (read.succeeded) {
    siteBaseUrl_ = read.siteBaseUrl;
    config_.SetHostData(entry);
  } else if (reportFailure) {
    InfoBox(read.message);  // the timed box comes with the join flow
  }
}

std::string ClientApp::LoginAddress() const { return orvanta::LoginAddress(siteBaseUrl_, loginPath_); }

bool ClientApp::HasBrowser() const { return false; }

void ClientApp::FitBrowser(int, int) {}

void ClientApp::ReloadBrowser() {}

void ClientApp::OpenServerSettings() {
  if (!joinWindow_.Exists()) joinWindow_.ShowModal(instance_, mainWindow_.handle());
  joinWindow_.Show();
  joinWindow_.SetTopmost(true);
}

void ClientApp::PrepareExit() {}

void ClientApp::OnJoinClicked() {}

}  // namespace orvanta
