#include "client_app_win.h"

#include "codepage.h"
#include "directory_lookup.h"
#include "http_request.h"
#include "message_boxes_win.h"
#include "resource_ids.h"
#include "site_entry.h"
#include "timed_message_box_win.h"

namespace orvanta {
namespace {

// The client's icon as a whole ICO file, for the browser library.
std::string IconFile(HINSTANCE instance) {
  const HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(IDR_MAIN_ICON_FILE), MAKEINTRESOURCEW(10));  // RT_RCDATA
  const HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) return {};
  return std::string(static_cast<const char*>(bytes), SizeofResource(instance, found));
}

}  // namespace

ClientApp::ClientApp(HINSTANCE instance, std::string runDirectory)
    : instance_(instance),
      runDirectory_(std::move(runDirectory)),
      mainEventSink_(*this, IconFile(instance)),
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
  EdgeLibrary::SetDpiAware();  // before any window exists
  EdgeEnvironmentOptions environment;
  environment.user_data_folder = runDirectory_ + "\\EdgeViewCache";
  environment_ = library_.CreateEnvironment(environment);  // empty without the browser runtime
  joinWindow_.Load(instance_);
  if (!mainWindow_.Create(instance_)) return false;
  if (siteBaseUrl_.empty()) joinWindow_.Show();  // in front of the main window

  RECT client;
  GetClientRect(mainWindow_.handle(), &client);
  EdgeWebViewOptions view;
  view.parent = mainWindow_.handle();
  view.bounds = {0, 0, client.right, client.bottom};
  view.profile_name = "test profile";
  // The browser arrives through WebViewCreated; the wrapper returned here is
  // not it, and goes at once.
  environment_.CreateWebView(view, mainEventSink_);
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

bool ClientApp::DecodeSiteEntry(std::string_view entry, bool reportFailure) {
  if (entry.empty()) return false;
  const SiteEntry read = ReadSiteEntry(entry);
  if (read.succeeded) {
    siteBaseUrl_ = read.siteBaseUrl;
    config_.SetHostData(entry);  // the entry as received, not its decoded form
  } else if (reportFailure) {
    TimedMessageBox(read.message);
  }
  return read.succeeded;
}

std::string ClientApp::LoginAddress() const { return orvanta::LoginAddress(siteBaseUrl_, loginPath_); }

bool ClientApp::HasBrowser() const { return !mainWebView_.IsEmpty(); }

void ClientApp::FitBrowser(int width, int height) { mainWebView_.SetBounds({0, 0, width, height}); }

void ClientApp::ReloadBrowser() { mainWebView_.Reload(); }

void ClientApp::OpenServerSettings() {
  if (!joinWindow_.Exists()) joinWindow_.ShowModal(instance_, mainWindow_.handle());
  joinWindow_.Show();
  joinWindow_.SetTopmost(true);
}

void ClientApp::PrepareExit() {
  // The browser goes before the process: the library shuts its runtime down.
  mainWebView_ = EdgeWebView();
  environment_ = EdgeEnvironment();
}

void ClientApp::OnJoinClicked() {
  // The login path is taken first and always, even when empty.
  loginPath_ = joinWindow_.LoginUrlText();
  config_.SetLoginUrl(loginPath_);
  const std::string number = joinWindow_.ServerNumberText();
  if (number.empty()) {
    InfoBox(Gbk(u8"请输入服务器编号"));
    return;
  }
  serverNumber_ = number;
  config_.SetHostDataId(number);

  // Window messages keep flowing while the request waits: no second click
  // may start a request inside this one.
  joinWindow_.EnableJoinButton(false);
  const std::string answer = HttpRequest(DirectoryRequestUrl(ORVANTA_DIRECTORY_HOST, number));
  joinWindow_.EnableJoinButton(true);
  // A lookup that failed has said so in its timed box: the window stays
  // open for another try, and nothing claims a link.
  if (!DecodeSiteEntry(answer, true)) return;

  if (!siteBaseUrl_.empty()) mainWebView_.Navigate(LoginAddress());
  joinWindow_.Hide();
  InfoBox(Gbk(u8"已链接到服务器：") + serverNumber_);
  mainWindow_.BringForward();
}

}  // namespace orvanta

namespace orvanta {

// A switch of the library's own that the client has always turned on; what it
// switches is the library's business.
constexpr int kLibrarySwitch11 = 11;

void ClientApp::WebViewCreated(EdgeWebView webView) {
  EdgeSettings settings = webView.GetSettings();
  settings.Set(EdgeSettings::kScripts, 1);
  settings.Set(EdgeSettings::kDefaultScriptDialogs, 0);  // the client shows them itself
  settings.Set(EdgeSettings::kDefaultContextMenus, 1);
  settings.Set(kLibrarySwitch11, 1);
  webView.PutSettings(settings);
  mainWebView_ = std::move(webView);
  mainWindow_.OnSizeChanged();
  mainWebView_.Navigate(LoginAddress());
}

void ClientApp::NewWindowRequested(EdgeNewWindowArgs) {}

void ClientApp::WebMessageReceived(const std::string&) {}

void ClientApp::ScriptDialogOpening(const EdgeScriptDialog& dialog, EdgeScriptDialogArgs args) {
  switch (dialog.kind) {
    case ScriptDialogKind::kAlert:
      InfoBox(dialog.message);
      break;
    case ScriptDialogKind::kConfirm:
    case ScriptDialogKind::kBeforeUnload:
      if (AskYesNo(dialog.message)) args.Accept();
      break;
    case ScriptDialogKind::kPrompt: {
      std::string answer = dialog.default_text;
      if (InputBox(answer)) {
        args.SetResultText(answer);
        args.Accept();
      }
      break;
    }
    default:
      break;
  }
  args.Complete();
}

void ClientApp::PermissionRequested(EdgePermissionArgs args) {
  // The site is the operator's own: whatever it asks for is granted.
  args.SetState(EdgePermissionArgs::kAllow);
  args.SetHandled(true);
}

}  // namespace orvanta
