#include "browser_fixture.h"

#include <cstdint>

namespace orvanta::testing {
namespace {

constexpr wchar_t kParentClass[] = L"OrvantaBrowserTestParent";

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

WindowHandle MakeParentWindow() {
  static const bool registered = [] {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = DefWindowProcW;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    window_class.lpszClassName = kParentClass;
    return RegisterClassExW(&window_class) != 0;
  }();
  if (!registered) return WindowHandle();
  return WindowHandle(CreateWindowExW(0, kParentClass, L"browser test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800,
                                      600, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
}

std::string TestIcon() {
  // ICONDIR, one ICONDIRENTRY, then the image: BITMAPINFOHEADER (height
  // doubled for the mask), 32x32 BGRA pixels, a 1-bit AND mask.
  constexpr std::uint32_t kImageBytes = 40 + 32 * 32 * 4 + 32 * 4;
  std::string icon;
  PutLittleEndian(icon, 0, 2);
  PutLittleEndian(icon, 1, 2);  // an icon
  PutLittleEndian(icon, 1, 2);  // one image
  icon += '\x20';               // width 32
  icon += '\x20';               // height 32
  icon += '\0';                 // no palette
  icon += '\0';
  PutLittleEndian(icon, 1, 2);   // planes
  PutLittleEndian(icon, 32, 2);  // bits per pixel
  PutLittleEndian(icon, kImageBytes, 4);
  PutLittleEndian(icon, 22, 4);  // the image follows the directory
  PutLittleEndian(icon, 40, 4);
  PutLittleEndian(icon, 32, 4);
  PutLittleEndian(icon, 64, 4);
  PutLittleEndian(icon, 1, 2);
  PutLittleEndian(icon, 32, 2);
  for (int i = 0; i < 6; ++i) PutLittleEndian(icon, 0, 4);
  for (int pixel = 0; pixel < 32 * 32; ++pixel) PutLittleEndian(icon, 0xFF2080C0u, 4);
  icon.append(32 * 4, '\0');
  return icon;
}

void RecordingEvents::WebViewCreated(EdgeWebView web_view) {
  created.push_back(web_view.GetHandle());
  kept = std::move(web_view);
}

void RecordingEvents::NewWindowRequested(EdgeNewWindowArgs args) {
  ++new_window_requests;
  if (on_new_window) on_new_window(args);
}

void RecordingEvents::WebMessageReceived(const std::string& message) { messages.push_back(message); }

void RecordingEvents::ScriptDialogOpening(const EdgeScriptDialog& dialog, EdgeScriptDialogArgs args) {
  dialogs.push_back(dialog);
  if (on_dialog) on_dialog(dialog, args);
}

void RecordingEvents::PermissionRequested(EdgePermissionArgs args) {
  ++permission_requests;
  if (on_permission) on_permission(args);
}

void BrowserTest::SetUp() {
  ASSERT_TRUE(parent_) << "no parent window: is there a display?";
  StandInDriver::SetNoRuntime(false);
  // The stand-in takes commands once the first environment exists.
  { const EdgeEnvironment first = MakeEnvironment(); }
  standin_.Mark();
}

void BrowserTest::TearDown() {
  // Every wrapper of the test is gone by now: the library must hold nothing.
  const StandInDriver::Census census = standin_.Count();
  EXPECT_EQ(census.objects, 0) << "objects left in the library:\n" << standin_.Transcript();
  EXPECT_EQ(census.blocks, 0) << "library texts never freed:\n" << standin_.Transcript();
  EXPECT_TRUE(standin_.Errors().empty()) << "the library reported errors:\n" << standin_.Transcript();
  StandInDriver::SetNoRuntime(false);
}

EdgeEnvironment BrowserTest::MakeEnvironment() {
  EdgeEnvironmentOptions options;
  options.user_data_folder = "C:\\client\\EdgeViewCache";
  return library_.CreateEnvironment(options);
}

EdgeWebView BrowserTest::MakeWebView(const EdgeEnvironment& environment, EdgeEventSink& sink) {
  RECT area{};
  GetClientRect(parent_.get(), &area);
  EdgeWebViewOptions options;
  options.parent = parent_.get();
  options.bounds = {0, 0, area.right, area.bottom};
  options.profile_name = "test profile";
  EdgeWebView web_view = environment.CreateWebView(options, sink);
  if (!web_view.IsEmpty()) {
    const std::string delivered = "Event 0 WebViewCreated to web view " + std::to_string(web_view.GetHandle());
    EXPECT_TRUE(standin_.WaitForLine(delivered)) << standin_.Transcript();
  }
  return web_view;
}

void BrowserTest::Drive(const std::vector<std::string>& fields) {
  ASSERT_TRUE(standin_.Command(fields)) << "the stand-in did not take the command:\n" << standin_.Transcript();
}

}  // namespace orvanta::testing
