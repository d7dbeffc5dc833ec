#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "browser_fixture.h"

namespace orvanta::testing {
namespace {

using ReferenceCount = BrowserTest;

// The stand-in's count of references on `handle`, from a "dump"; -1 when it
// holds no such object.
int RefsOf(StandInDriver& standin, edgeview::Handle handle) {
  const std::string key = " handle=" + std::to_string(handle) + " refs=";
  for (const std::string& line : standin.CommandLines({"dump"})) {
    const std::size_t at = line.find(key);
    if (at != std::string::npos) return std::stoi(line.substr(at + key.size()));
  }
  return -1;
}

// Copies take a reference each, moves hand theirs over, assignments give the
// old one back; when every wrapper is gone the library holds nothing (the
// fixture checks that, and that nothing was released twice).
TEST_F(ReferenceCount, CopiesMovesAndDestroysBalance) {
  RecordingEvents events;
  MainEventSink sink(events, TestIcon());
  {
    EdgeEnvironment environment = MakeEnvironment();
    EdgeWebView returned = MakeWebView(environment, sink);
    const edgeview::Handle handle = returned.GetHandle();
    ASSERT_EQ(events.created, std::vector<edgeview::Handle>{handle});
    // The wrapper CreateWebView filled and the one kept from WebViewCreated.
    EXPECT_EQ(RefsOf(standin_, handle), 2);

    struct Step {
      const char* name;
      std::function<void(std::vector<EdgeWebView>&)> apply;
      int refs;
    };
    std::vector<EdgeWebView> wrappers;
    wrappers.reserve(8);  // no reallocation between the steps
    const Step steps[] = {
        {"copy constructed", [&](auto& w) { w.push_back(returned); }, 3},
        {"copied again", [&](auto& w) { w.push_back(w[0]); }, 4},
        {"move constructed", [&](auto& w) { w.push_back(std::move(w[1])); }, 4},
        {"copy assigned to itself", [&](auto& w) { w[0] = *&w[0]; }, 4},
        {"copy assigned over an empty one", [&](auto& w) { w[1] = w[0]; }, 5},
        {"move assigned over a filled one", [&](auto& w) { w[1] = std::move(w[2]); }, 4},
        {"emptied by assignment", [&](auto& w) { w[0] = EdgeWebView(); }, 3},
        {"all dropped", [&](auto& w) { w.clear(); }, 2},
        {"the returned wrapper dropped", [&](auto&) { returned = EdgeWebView(); }, 1},
        {"the kept one dropped", [&](auto&) { events.kept.reset(); }, -1},
    };
    for (const Step& step : steps) {
      SCOPED_TRACE(step.name);
      step.apply(wrappers);
      EXPECT_EQ(RefsOf(standin_, handle), step.refs) << standin_.Transcript();
    }
  }
}

// The start-up's way: the wrapper CreateWebView returns is released at once
// and the browser is taken from WebViewCreated, which comes later.
TEST_F(ReferenceCount, BrowserSurvivesUntilWebViewCreatedWhenTheReturnedWrapperIsDroppedAtOnce) {
  RecordingEvents events;
  MainEventSink sink(events, TestIcon());
  {
    EdgeEnvironment environment = MakeEnvironment();
    EdgeWebViewOptions options;
    options.parent = parent_.get();
    options.bounds = {0, 0, 400, 300};
    options.profile_name = "test profile";
    edgeview::Handle handle = 0;
    {
      const EdgeWebView returned = environment.CreateWebView(options, sink);
      handle = returned.GetHandle();
    }
    ASSERT_TRUE(PumpUntil([&] { return events.kept.has_value(); }));
    EXPECT_EQ(events.kept->GetHandle(), handle);
    events.kept->Navigate("https://example.test/service/login?isWindow=1");
    EXPECT_EQ(standin_.LinesStartingWith("WebView.Navigate handle=" + std::to_string(handle)).size(), 1u)
        << standin_.Transcript();
    EXPECT_EQ(RefsOf(standin_, handle), 1);
    events.kept.reset();
  }
}

// An event argument kept past its event stays valid until the client drops
// it: the dialog is answered after the event routine returned.
TEST_F(ReferenceCount, EventArgumentKeptPastItsEventStaysValid) {
  RecordingEvents events;
  MainEventSink sink(events, TestIcon());
  std::optional<EdgeScriptDialogArgs> later;
  events.on_dialog = [&](const EdgeScriptDialog&, EdgeScriptDialogArgs& args) { later = std::move(args); };
  {
    EdgeEnvironment environment = MakeEnvironment();
    EdgeWebView web_view = MakeWebView(environment, sink);
    events.kept.reset();
    Drive({"dialog", std::to_string(web_view.GetHandle()), "confirm", "Leave?"});
    ASSERT_TRUE(later.has_value());
    const std::size_t before = StandInDriver::Checkpoint();
    later->Accept();
    later->Complete();
    later.reset();
    const std::vector<std::string> lines = StandInDriver::LinesSince(before);
    ASSERT_EQ(lines.size(), 4u) << standin_.Transcript();
    EXPECT_EQ(lines[0].rfind("ScriptDialogArgs.Accept handle=", 0), 0u);
    EXPECT_EQ(lines[1].rfind("ScriptDialogArgs.Complete handle=", 0), 0u);
    EXPECT_EQ(lines[2].rfind("ObjectRelease handle=", 0), 0u);
    EXPECT_NE(lines[3].find("accepted=1 completed=1 result=none"), std::string::npos) << lines[3];
  }
}

}  // namespace
}  // namespace orvanta::testing
