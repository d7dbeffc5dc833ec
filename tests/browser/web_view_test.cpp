#include <string>
#include <vector>

#include "browser_fixture.h"
#include "codepage.h"

namespace orvanta::testing {
namespace {

using WebView = BrowserTest;

std::string Id(const EdgeWebView& web_view) { return std::to_string(web_view.GetHandle()); }

HWND BrowserWindowIn(HWND parent) { return FindWindowExW(parent, nullptr, L"EdgeViewStandIn", nullptr); }

std::wstring WindowText(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, static_cast<int>(std::size(text)));
  return text;
}

// What the start-up hands the library reaches it as sent: the user-data
// folder, the parent window, the bounds, flag 0 and the profile name.
TEST_F(WebView, CreationPassesTheOptionsAndPutsABrowserWindowIntoTheParent) {
  BlockRecordingSink sink;
  const std::size_t before = StandInDriver::Checkpoint();
  EdgeEnvironmentOptions environment_options;
  environment_options.user_data_folder = Gbk(u8"C:\\客服\\EdgeViewCache");
  const EdgeEnvironment environment = library_.CreateEnvironment(environment_options);
  ASSERT_FALSE(environment.IsEmpty());
  EdgeWebViewOptions options;
  options.parent = parent_.get();
  options.bounds = {0, 0, 640, 480};
  options.profile_name = "test profile";
  const EdgeWebView web_view = environment.CreateWebView(options, sink);
  ASSERT_FALSE(web_view.IsEmpty());
  ASSERT_TRUE(standin_.WaitForLine("Event 0 WebViewCreated to web view " + Id(web_view)));

  const std::vector<std::string> lines = StandInDriver::LinesSince(before);
  const std::string environment_line = Utf8(u8"CreateEnvironment text1=\"\" user_data=\"C:\\\\客服\\\\EdgeViewCache\" "
                                            u8"text3=\"\" text4=\"\" -> handle=") +
                                       std::to_string(environment.GetHandle());
  char parent[16];
  std::snprintf(parent, sizeof parent, "0x%X", static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(parent_.get())));
  const std::string web_view_line = "Environment.CreateWebView handle=" + std::to_string(environment.GetHandle()) +
                                    " parent=" + parent + " bounds=0,0,640,480 flag=0 profile=\"test profile\" -> handle=" +
                                    Id(web_view);
  EXPECT_NE(std::find(lines.begin(), lines.end(), environment_line), lines.end()) << standin_.Transcript();
  EXPECT_NE(std::find(lines.begin(), lines.end(), web_view_line), lines.end()) << standin_.Transcript();

  const HWND browser = BrowserWindowIn(parent_.get());
  ASSERT_NE(browser, nullptr);
  RECT rect{};
  GetWindowRect(browser, &rect);
  EXPECT_EQ(rect.right - rect.left, 640);
  EXPECT_EQ(rect.bottom - rect.top, 480);
}

// Bounds, navigation, reload and scripts each reach the browser once, with
// their texts intact.
TEST_F(WebView, OperationsReachTheBrowser) {
  BlockRecordingSink sink;
  const EdgeEnvironment environment = MakeEnvironment();
  const EdgeWebView web_view = MakeWebView(environment, sink);
  const std::size_t before = StandInDriver::Checkpoint();

  web_view.SetBounds({10, 20, 310, 220});
  web_view.Navigate(Gbk(u8"https://example.test/service/login?isWindow=1&name=客服"));
  web_view.Reload();
  web_view.ExecuteScript(Gbk(u8"vueapp.sendInputingStrNowPc('你好')"));

  const std::string id = Id(web_view);
  EXPECT_EQ(StandInDriver::LinesSince(before),
            (std::vector<std::string>{
                "WebView.SetBounds handle=" + id + " bounds=10,20,310,220",
                "WebView.Navigate handle=" + id + Utf8(u8" url=\"https://example.test/service/login?isWindow=1&name=客服\""),
                "WebView.Reload handle=" + id,
                "WebView.ExecuteScript handle=" + id + Utf8(u8" script=\"vueapp.sendInputingStrNowPc('你好')\" -> 0"),
            }));
  const HWND browser = BrowserWindowIn(parent_.get());
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(WindowText(browser), L"https://example.test/service/login?isWindow=1&name=\u5BA2\u670D");
  RECT rect{};
  GetWindowRect(browser, &rect);
  POINT corner{rect.left, rect.top};
  ScreenToClient(parent_.get(), &corner);
  EXPECT_EQ(corner.x, 10);
  EXPECT_EQ(corner.y, 20);
  EXPECT_EQ(rect.right - rect.left, 300);
}

// Reading the settings and writing them back unchanged leaves them as they
// were; the start-up's four switches change those four fields only.
TEST_F(WebView, SettingsRoundTrip) {
  BlockRecordingSink sink;
  const EdgeEnvironment environment = MakeEnvironment();
  const EdgeWebView web_view = MakeWebView(environment, sink);

  const EdgeSettings original = web_view.GetSettings();
  EXPECT_NE(original, EdgeSettings()) << "the browser's settings were not read";
  web_view.PutSettings(original);
  EXPECT_EQ(web_view.GetSettings(), original);

  EdgeSettings changed = original;
  EXPECT_TRUE(changed.Set(1, 1));
  EXPECT_TRUE(changed.Set(EdgeSettings::kDefaultScriptDialogs, 0));
  EXPECT_TRUE(changed.Set(EdgeSettings::kDefaultContextMenus, 1));
  EXPECT_TRUE(changed.Set(11, 1));
  EXPECT_FALSE(changed.Set(0, 5));
  EXPECT_FALSE(changed.Set(16, 5));
  web_view.PutSettings(changed);
  const EdgeSettings after = web_view.GetSettings();
  for (int field = 1; field <= 15; ++field) {
    SCOPED_TRACE(field);
    const int expected = field == 3 ? 0 : field == 1 || field == 6 || field == 11 ? 1 : original.Get(field);
    EXPECT_EQ(after.Get(field), expected);
  }
  EXPECT_EQ(after.Get(0), 0);
  EXPECT_EQ(after.Get(16), 0);
}

TEST_F(WebView, SetDpiAwareMakesTheProcessDpiAware) {
  EdgeLibrary::SetDpiAware();
  EXPECT_TRUE(IsProcessDPIAware());
}

}  // namespace
}  // namespace orvanta::testing
