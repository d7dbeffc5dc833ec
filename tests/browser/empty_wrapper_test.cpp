#include <string>
#include <vector>

#include "browser_fixture.h"

namespace orvanta::testing {
namespace {

namespace ev = edgeview;

using EmptyWrapper = BrowserTest;

// The lines since `checkpoint` that are not releases of handle 0.
std::vector<std::string> CallsOtherThanEmptyReleases(std::size_t checkpoint) {
  std::vector<std::string> calls;
  for (const std::string& line : StandInDriver::LinesSince(checkpoint)) {
    if (line.rfind("ObjectRelease handle=0 ", 0) != 0) calls.push_back(line);
  }
  return calls;
}

// Empty wrappers whose blocks carry the library's real method tables, so
// that any call an operation made would reach the stand-in, which reports a
// call with handle 0 as an error.
TEST_F(EmptyWrapper, EveryOperationCallsNothingAndReturnsEmpty) {
  std::vector<ev::WrapperBlock> lent;
  BlockRecordingSink recorder;
  {
    EdgeEnvironment environment = MakeEnvironment();
    EdgeWebView web_view = MakeWebView(environment, recorder);
    const std::string view = std::to_string(web_view.GetHandle());
    Drive({"new-window", view, "https://example.test/page"});
    Drive({"dialog", view, "prompt", "question"});
    Drive({"permission", view, "2"});
    lent = recorder.blocks;
  }
  ASSERT_EQ(lent.size(), 4u);  // web view, new-window, dialog and permission arguments
  for (ev::WrapperBlock& block : lent) {
    ASSERT_NE(block.methods, nullptr);
    block.handle = 0;
  }

  const std::size_t before = StandInDriver::Checkpoint();
  {
    const EdgeWebView web_view(&lent[0]);
    const EdgeNewWindowArgs new_window(&lent[1]);
    const EdgeScriptDialogArgs dialog(&lent[2]);
    const EdgePermissionArgs permission(&lent[3]);
    EXPECT_TRUE(web_view.IsEmpty());
    EXPECT_EQ(web_view.GetHandle(), 0u);

    web_view.SetBounds({1, 2, 3, 4});
    web_view.Navigate("https://example.test/");
    web_view.Reload();
    EXPECT_EQ(web_view.GetSettings(), EdgeSettings());
    EdgeSettings settings;
    settings.Set(EdgeSettings::kScripts, 1);
    web_view.PutSettings(settings);
    EXPECT_EQ(web_view.ExecuteScript("1+1"), "");

    EXPECT_EQ(new_window.GetUri(), "");
    EXPECT_FALSE(new_window.IsUserInitiated());
    const EdgeWindowFeatures features = new_window.GetWindowFeatures();
    for (const std::int32_t field : features.field) EXPECT_EQ(field, 0);
    new_window.SetNewWindow(web_view);
    new_window.SetHandled(true);

    dialog.Accept();
    dialog.SetResultText("answer");
    dialog.Complete();

    permission.SetState(EdgePermissionArgs::kAllow);
    permission.SetHandled(true);

    // Copies of empty wrappers take no reference either.
    const EdgeWebView copy = web_view;
    EXPECT_TRUE(copy.IsEmpty());
  }
  EXPECT_TRUE(CallsOtherThanEmptyReleases(before).empty()) << standin_.Transcript();
}

// A missing browser runtime: the environment stays empty although the library
// filled its method table, CreateWebView returns an empty browser without a
// call, and no WebViewCreated ever comes.
TEST_F(EmptyWrapper, MissingRuntimeLeavesEnvironmentAndBrowserEmpty) {
  StandInDriver::SetNoRuntime(true);
  RecordingEvents events;
  MainEventSink sink(events, TestIcon());
  {
    const EdgeEnvironment environment = MakeEnvironment();
    EXPECT_TRUE(environment.IsEmpty());
    const EdgeWebView web_view = MakeWebView(environment, sink);
    EXPECT_TRUE(web_view.IsEmpty());
    web_view.Navigate("https://example.test/");
    EXPECT_EQ(library_.CheckRuntime(0), "");
  }
  Drive({"dump"});  // the message loop has run: a posted event would have come
  EXPECT_TRUE(events.created.empty());
  EXPECT_TRUE(standin_.LinesStartingWith("Environment.").empty()) << standin_.Transcript();
  EXPECT_TRUE(standin_.LinesStartingWith("WebView.").empty()) << standin_.Transcript();
  EXPECT_TRUE(standin_.LinesStartingWith("Event").empty()) << standin_.Transcript();
}

// Destroying an empty wrapper of any class gives the library one release of
// handle 0 with the class's id, and nothing else.
TEST_F(EmptyWrapper, DestroyingReleasesHandleZeroOfItsClass) {
  struct Case {
    const char* name;
    void (*make_and_drop)();
    const char* release;
  };
  const Case cases[] = {
      {"environment", [] { EdgeEnvironment(); }, "ObjectRelease handle=0 id=0"},
      {"web view", [] { EdgeWebView(); }, "ObjectRelease handle=0 id=1"},
      {"new-window arguments", [] { EdgeNewWindowArgs(); }, "ObjectRelease handle=0 id=2"},
      {"script-dialog arguments", [] { EdgeScriptDialogArgs(); }, "ObjectRelease handle=0 id=3"},
      {"context-menu arguments", [] { EdgeContextMenuArgs(); }, "ObjectRelease handle=0 id=4"},
      {"menu item list", [] { EdgeMenuItemList(); }, "ObjectRelease handle=0 id=5"},
      {"menu item", [] { EdgeMenuItem(); }, "ObjectRelease handle=0 id=6"},
      {"permission arguments", [] { EdgePermissionArgs(); }, "ObjectRelease handle=0 id=7"},
  };
  EdgeMenuItemList register_5;  // registration of the first wrapper is not what is counted here
  EdgeMenuItem register_6;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::size_t before = StandInDriver::Checkpoint();
    c.make_and_drop();
    EXPECT_EQ(StandInDriver::LinesSince(before), std::vector<std::string>{c.release});
  }
}

}  // namespace
}  // namespace orvanta::testing
