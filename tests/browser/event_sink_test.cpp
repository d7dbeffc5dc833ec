#include <string>
#include <vector>

#include "browser_fixture.h"
#include "codepage.h"

namespace orvanta::testing {
namespace {

using EventSink = BrowserTest;

std::string Id(const EdgeWebView& web_view) { return std::to_string(web_view.GetHandle()); }

// The lines the client caused while event `event` ran: between the stand-in's
// "Event n ..." line and its "Event n returned" line.
std::vector<std::string> CallsDuringEvent(const std::vector<std::string>& lines, int event) {
  const std::string start = "Event " + std::to_string(event) + " ";
  const std::string end = "Event " + std::to_string(event) + " returned ";
  std::vector<std::string> calls;
  bool inside = false;
  for (const std::string& line : lines) {
    if (line.rfind(end, 0) == 0) return calls;
    if (inside) calls.push_back(line);
    if (line.rfind(start, 0) == 0) inside = true;
  }
  return {"(event " + std::to_string(event) + " did not complete)"};
}

// Drops the handle numbers ("handle=257") so that lines compare as patterns.
std::string WithoutHandles(std::string line) {
  for (std::size_t at = line.find("handle="); at != std::string::npos; at = line.find("handle=", at + 7)) {
    std::size_t end = at + 7;
    while (end < line.size() && std::isdigit(static_cast<unsigned char>(line[end]))) ++end;
    line.replace(at + 7, end - (at + 7), "#");
  }
  return line;
}

std::vector<std::string> WithoutHandles(std::vector<std::string> lines) {
  for (std::string& line : lines) line = WithoutHandles(line);
  return lines;
}

TEST_F(EventSink, WebViewCreatedHandsTheHandlerTheBrowserCreateWebViewReturned) {
  RecordingEvents events;
  MainEventSink sink(events, TestIcon());
  const EdgeEnvironment environment = MakeEnvironment();
  const EdgeWebView web_view = MakeWebView(environment, sink);
  EXPECT_EQ(events.created, std::vector<edgeview::Handle>{web_view.GetHandle()});
  ASSERT_TRUE(events.kept.has_value());
  events.kept->Reload();
  EXPECT_EQ(standin_.LinesStartingWith("WebView.Reload handle=" + Id(web_view)).size(), 1u);
  events.kept.reset();
}

// The page's messages reach the handler as the library sent them (here: the
// client's code page), whatever they hold.
TEST_F(EventSink, WebMessagesReachTheHandlerUnchanged) {
  RecordingEvents events;
  MainEventSink sink(events, TestIcon());
  const EdgeEnvironment environment = MakeEnvironment();
  const EdgeWebView web_view = MakeWebView(environment, sink);
  events.kept.reset();
  const std::u8string_view cases[] = {  // as the page posts them
      u8"newmsgnum=>3",
      u8"settitle=>客服工作台",
      u8"newmsg=>{\"D\":{\"BossId\":\"a\\\"b\"},\"msg\":\"第一行\n第二行\tend\"}",
      u8"",
  };
  std::vector<std::string> expected;
  for (const std::u8string_view sent : cases) {
    Drive({"message", Id(web_view), Utf8(sent)});
    expected.push_back(Gbk(sent));
  }
  EXPECT_EQ(events.messages, expected);
}

// Each kind of script dialog reaches the handler with its texts, and the
// handler's answer reaches the library: a Chinese prompt answer as UTF-8.
TEST_F(EventSink, ScriptDialogsOfEachKindAreAnswered) {
  RecordingEvents events;
  MainEventSink sink(events, TestIcon());
  const EdgeEnvironment environment = MakeEnvironment();
  const EdgeWebView web_view = MakeWebView(environment, sink);
  events.kept.reset();
  events.on_dialog = [](const EdgeScriptDialog& dialog, EdgeScriptDialogArgs& args) {
    switch (dialog.kind) {
      case ScriptDialogKind::kPrompt:
        args.Accept();
        args.SetResultText(Gbk(u8"中文答复 ok"));
        break;
      case ScriptDialogKind::kConfirm:
      case ScriptDialogKind::kBeforeUnload:
        args.Accept();
        break;
      default:
        break;
    }
    args.Complete();
  };
  const struct {
    const char* kind;
    ScriptDialogKind expected_kind;
    std::u8string_view message;
    std::u8string_view default_text;
    std::vector<std::string> calls;
  } cases[] = {
      {"alert", ScriptDialogKind::kAlert, u8"保存成功", u8"",
       {"ObjectAddRef handle=# id=3 refs=2", "ScriptDialogArgs.Complete handle=#", "ObjectRelease handle=# id=3 refs=1"}},
      {"confirm", ScriptDialogKind::kConfirm, u8"确定删除吗？", u8"",
       {"ObjectAddRef handle=# id=3 refs=2", "ScriptDialogArgs.Accept handle=#", "ScriptDialogArgs.Complete handle=#",
        "ObjectRelease handle=# id=3 refs=1"}},
      {"prompt", ScriptDialogKind::kPrompt, u8"请输入备注", u8"默认值",
       {"ObjectAddRef handle=# id=3 refs=2", "ScriptDialogArgs.Accept handle=#",
        Utf8(u8"ScriptDialogArgs.SetResultText handle=# text=\"中文答复 ok\""), "ScriptDialogArgs.Complete handle=#",
        "ObjectRelease handle=# id=3 refs=1"}},
      {"beforeunload", ScriptDialogKind::kBeforeUnload, u8"离开此页？", u8"",
       {"ObjectAddRef handle=# id=3 refs=2", "ScriptDialogArgs.Accept handle=#", "ScriptDialogArgs.Complete handle=#",
        "ObjectRelease handle=# id=3 refs=1"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    events.dialogs.clear();
    const std::size_t before = StandInDriver::Checkpoint();
    Drive({"dialog", Id(web_view), c.kind, Utf8(c.message), Utf8(c.default_text)});
    ASSERT_EQ(events.dialogs.size(), 1u);
    EXPECT_EQ(events.dialogs[0].kind, c.expected_kind);
    EXPECT_EQ(events.dialogs[0].message, Gbk(c.message));
    EXPECT_EQ(events.dialogs[0].default_text, Gbk(c.default_text));
    const std::vector<std::string> lines = StandInDriver::LinesSince(before);
    EXPECT_EQ(WithoutHandles(CallsDuringEvent(lines, 10)), c.calls);
  }
}

TEST_F(EventSink, PermissionRequestIsAllowedAndHandled) {
  RecordingEvents events;
  MainEventSink sink(events, TestIcon());
  events.on_permission = [](EdgePermissionArgs& args) {
    args.SetState(EdgePermissionArgs::kAllow);
    args.SetHandled(true);
  };
  const EdgeEnvironment environment = MakeEnvironment();
  const EdgeWebView web_view = MakeWebView(environment, sink);
  events.kept.reset();
  const std::size_t before = StandInDriver::Checkpoint();
  Drive({"permission", Id(web_view), "4"});
  EXPECT_EQ(events.permission_requests, 1);
  const std::vector<std::string> lines = WithoutHandles(StandInDriver::LinesSince(before));
  EXPECT_EQ(CallsDuringEvent(lines, 13),
            (std::vector<std::string>{"ObjectAddRef handle=# id=7 refs=2", "PermissionArgs.SetState handle=# state=1",
                                      "PermissionArgs.SetHandled handle=# flag=1",
                                      "ObjectRelease handle=# id=7 refs=1"}));
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Destroyed PermissionArgs handle=# state=1 handled=1"), lines.end());
}

// The secondary window's way: inside the event the client creates the page
// browser, keeps it and hands it to SetNewWindow; the page browser then shows
// the requested address.
TEST_F(EventSink, NewWindowRequestGetsTheBrowserMadeInsideTheEvent) {
  RecordingEvents events;
  MainEventSink sink(events, TestIcon());
  PageEventSink page_sink;
  WindowHandle page_window = MakeParentWindow();
  std::optional<EdgeWebView> page_web_view;
  const EdgeEnvironment environment = MakeEnvironment();
  events.on_new_window = [&](EdgeNewWindowArgs& args) {
    EdgeWebViewOptions options;
    options.parent = page_window.get();
    options.bounds = {0, 0, 500, 400};
    options.profile_name = "test profile";
    page_web_view = environment.CreateWebView(options, page_sink);
    args.SetNewWindow(*page_web_view);
    args.SetHandled(true);
  };
  {
    const EdgeWebView web_view = MakeWebView(environment, sink);
    events.kept.reset();
    Drive({"new-window", Id(web_view), Utf8(u8"https://example.test/chat?visitor=访客")});
    ASSERT_TRUE(page_web_view.has_value());
    ASSERT_FALSE(page_web_view->IsEmpty());
    ASSERT_TRUE(standin_.WaitForLine("Event 0 WebViewCreated to web view " + Id(*page_web_view)));
    const HWND page_browser = FindWindowExW(page_window.get(), nullptr, L"EdgeViewStandIn", nullptr);
    ASSERT_NE(page_browser, nullptr);
    wchar_t text[256] = {};
    GetWindowTextW(page_browser, text, 256);
    EXPECT_STREQ(text, L"https://example.test/chat?visitor=\u8BBF\u5BA2");
    EXPECT_EQ(standin_.LinesStartingWith("Destroyed NewWindowArgs handle=").size(), 1u);
    EXPECT_NE(standin_.LinesStartingWith("Destroyed NewWindowArgs handle=")[0].find(
                  " new_window=" + Id(*page_web_view) + " handled=1"),
              std::string::npos);
    page_web_view.reset();
  }
}

// A context-menu request makes and drops an empty menu item (class 6) and
// touches nothing else, not even the event's argument object.
TEST_F(EventSink, ContextMenuRequestOnlyMakesAndDropsAnEmptyMenuItem) {
  RecordingEvents events;
  MainEventSink sink(events, TestIcon());
  const EdgeEnvironment environment = MakeEnvironment();
  const EdgeWebView web_view = MakeWebView(environment, sink);
  events.kept.reset();
  EdgeMenuItem registered;  // whether class 6 was registered before is not the point here
  for (int round = 0; round < 2; ++round) {
    const std::size_t before = StandInDriver::Checkpoint();
    Drive({"context-menu", Id(web_view)});
    EXPECT_EQ(CallsDuringEvent(StandInDriver::LinesSince(before), 11),
              std::vector<std::string>{"ObjectRelease handle=0 id=6"});
  }
}

// Events 14 and 15 as both sinks handle them: method 0 of the argument object
// with the record omitted; the main sink first hands over its icon for the
// kind "Image".
TEST_F(EventSink, Events14And15CompleteTheirArgumentObject) {
  RecordingEvents events;
  MainEventSink main_sink(events, TestIcon());
  PageEventSink page_sink;
  const EdgeEnvironment environment = MakeEnvironment();
  const EdgeWebView main_view = MakeWebView(environment, main_sink);
  const EdgeWebView page_view = MakeWebView(environment, page_sink);
  events.kept.reset();
  ASSERT_EQ(TestIcon().size(), 4286u);
  const std::string main_id = Id(main_view);
  const std::string page_id = Id(page_view);
  const struct {
    const char* name;
    std::string view;
    int event;
    const char* kind;
    std::vector<std::string> calls;
  } cases[] = {
      {"main, 14", main_id, 14, "", {"Event14Args.Method0 handle=# record=0x0"}},
      {"page, 14", page_id, 14, "", {"Event14Args.Method0 handle=# record=0x0"}},
      {"main, 15 Image",
       main_id,
       15,
       "Image",
       {"Event15Args.Method2 handle=# record=0x0 length=4286 head=0000010001002020", "Event15Args.Method0 handle=# record=0x0"}},
      {"main, 15 Document", main_id, 15, "Document", {"Event15Args.Method0 handle=# record=0x0"}},
      {"main, 15 image", main_id, 15, "image", {"Event15Args.Method0 handle=# record=0x0"}},
      {"page, 15 Image", page_id, 15, "Image", {"Event15Args.Method0 handle=# record=0x0"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::size_t before = StandInDriver::Checkpoint();
    Drive({"event", c.view, std::to_string(c.event), c.kind});
    EXPECT_EQ(WithoutHandles(CallsDuringEvent(StandInDriver::LinesSince(before), c.event)), c.calls);
  }
}

// The events no sink acts on, and the named events at the page sink: each
// returns 0 and makes no library call.
TEST_F(EventSink, IgnoredEventsReturnZeroAndCallNothing) {
  RecordingEvents events;
  MainEventSink main_sink(events, TestIcon());
  PageEventSink page_sink;
  const EdgeEnvironment environment = MakeEnvironment();
  const EdgeWebView main_view = MakeWebView(environment, main_sink);
  const EdgeWebView page_view = MakeWebView(environment, page_sink);
  events.kept.reset();
  struct Case {
    std::string name;
    std::vector<std::string> command;
    int event;
  };
  std::vector<Case> cases;
  for (const int event : {1, 4, 5, 6, 7, 8, 9, 12, 16, 17, 18, 19}) {
    for (const EdgeWebView* view : {&main_view, &page_view}) {
      cases.push_back({"event " + std::to_string(event) + (view == &main_view ? " main" : " page"),
                       {"event", Id(*view), std::to_string(event), "line one\r\nline two"}, event});
    }
  }
  cases.push_back({"page: web message", {"message", Id(page_view), "newmsgnum=>1"}, 3});
  cases.push_back({"page: new window", {"new-window", Id(page_view), "https://example.test/"}, 2});
  cases.push_back({"page: dialog", {"dialog", Id(page_view), "prompt", "?", "x"}, 10});
  cases.push_back({"page: permission", {"permission", Id(page_view), "1"}, 13});
  cases.push_back({"page: context menu", {"context-menu", Id(page_view)}, 11});

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<std::string> lines = standin_.CommandLines(c.command);
    EXPECT_TRUE(CallsDuringEvent(lines, c.event).empty()) << standin_.Transcript();
    const std::string returned = "Event " + std::to_string(c.event) + " returned 0";
    EXPECT_NE(std::find(lines.begin(), lines.end(), returned), lines.end()) << standin_.Transcript();
  }
  EXPECT_TRUE(events.messages.empty());
  EXPECT_EQ(events.new_window_requests, 0);
  EXPECT_TRUE(events.dialogs.empty());
  EXPECT_EQ(events.permission_requests, 0);
}

}  // namespace
}  // namespace orvanta::testing
