#include <string>
#include <vector>

#include "browser_fixture.h"
#include "codepage.h"

namespace orvanta::testing {
namespace {

namespace ev = edgeview;

using TextResults = BrowserTest;

// The block addresses the stand-in handed out ("-> block 0x...") and those it
// was given back ("MemFree block 0x..."), in order.
struct BlockTraffic {
  std::vector<std::string> lent;
  std::vector<std::string> freed;
};

BlockTraffic Blocks(const std::vector<std::string>& lines) {
  BlockTraffic traffic;
  for (const std::string& line : lines) {
    const std::size_t lent = line.find("-> block ");
    if (lent != std::string::npos) traffic.lent.push_back(line.substr(lent + 9));
    if (line.rfind("MemFree block ", 0) == 0) traffic.freed.push_back(line.substr(14));
  }
  return traffic;
}

// A library text comes back as the client's text and its block is freed
// exactly once; a result of 0 reads as "" and frees nothing.
TEST_F(TextResults, TextsAreCopiedAndFreedOnceAndZeroReadsEmpty) {
  RecordingEvents events;
  MainEventSink sink(events, TestIcon());
  std::string uri;
  events.on_new_window = [&](EdgeNewWindowArgs& args) { uri = args.GetUri(); };
  const std::size_t before = StandInDriver::Checkpoint();
  {
    EdgeEnvironment environment = MakeEnvironment();
    EdgeWebView web_view = MakeWebView(environment, sink);
    events.kept.reset();
    const std::string view = std::to_string(web_view.GetHandle());

    EXPECT_EQ(web_view.ExecuteScript("vueapp.sendInputingStrNowPc('x')"), "");  // the library returns 0
    Drive({"script-result", view, Utf8(u8"\"已发送\"")});
    EXPECT_EQ(web_view.ExecuteScript("vueapp.sendInputingStrNowPc('x')"), Gbk(u8"\"已发送\""));
    Drive({"script-result", view, ""});
    EXPECT_EQ(web_view.ExecuteScript("1"), "");  // an empty library text
    EXPECT_EQ(library_.CheckRuntime(7), "stand-in runtime 1.0");
    Drive({"new-window", view, Utf8(u8"https://example.test/客服?id=1")});
    EXPECT_EQ(uri, Gbk(u8"https://example.test/客服?id=1"));

    StandInDriver::SetNoRuntime(true);
    EXPECT_EQ(library_.CheckRuntime(7), "");
  }
  const BlockTraffic traffic = Blocks(StandInDriver::LinesSince(before));
  EXPECT_EQ(traffic.lent.size(), 4u);
  EXPECT_EQ(traffic.freed, traffic.lent) << standin_.Transcript();
}

// Data results come through two out-arguments (block, length). No method of
// the stand-in returns data, so a test table lends a real web view a method
// that hands out a genuine library block: the bytes arrive whole, including a
// zero byte, and the block goes back to edgeview_MemFree once.
class DataProbe : public EdgeWebView {
 public:
  using EdgeWebView::EdgeWebView;
  struct DataMethod {
    static constexpr int kIndex = 0;
    using Fn = ev::Value(__stdcall*)(ev::Handle, ev::Value length, void** block, ev::Value* block_length);
  };
  std::string Data(ev::Value length) const { return CallForData<DataMethod>(length); }
};

ev::Value __stdcall LendRuntimeText(ev::Handle, ev::Value length, void** block, ev::Value* block_length) {
  *block = ev::LibraryExports().Get<ev::Export::kCheckRuntime>()(0);
  *block_length = length;
  return 1;
}

TEST_F(TextResults, DataIsCopiedWholeAndFreedOnce) {
  BlockRecordingSink recorder;
  ev::AnyMethod table[ev::kMethodCount[1]] = {};
  table[DataProbe::DataMethod::kIndex] = reinterpret_cast<ev::AnyMethod>(&LendRuntimeText);
  const std::size_t before = StandInDriver::Checkpoint();
  {
    EdgeEnvironment environment = MakeEnvironment();
    EdgeWebView web_view = MakeWebView(environment, recorder);
    ASSERT_EQ(recorder.blocks.size(), 1u);
    ev::WrapperBlock block = recorder.blocks[0];
    block.methods = table;
    const DataProbe probe(&block);
    // "stand-in runtime 1.0" and its terminating zero.
    EXPECT_EQ(probe.Data(21), std::string("stand-in runtime 1.0\0", 21));
    EXPECT_EQ(probe.Data(0), "");
  }
  const BlockTraffic traffic = Blocks(StandInDriver::LinesSince(before));
  EXPECT_EQ(traffic.lent.size(), 2u);
  EXPECT_EQ(traffic.freed, traffic.lent) << standin_.Transcript();
}

}  // namespace
}  // namespace orvanta::testing
