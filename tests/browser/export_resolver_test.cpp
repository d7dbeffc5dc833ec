#include "export_resolver.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "codepage.h"

namespace orvanta::edgeview {
namespace {

// A library made of names; Stop returns (the program's never does), so the
// resolver's behaviour after a stop can be seen.
class FakeLoader final : public LibraryLoader {
 public:
  FakeLoader(bool present, std::set<std::string> exports) : present_(present), exports_(std::move(exports)) {}

  bool Open() override {
    ++opens;
    return present_;
  }
  void* Find(const char* name) override {
    ++finds[name];
    return exports_.count(name) != 0 ? &marker_ : nullptr;
  }
  std::string FileName() const override { return "C:\\client\\edgeview.dll"; }
  void Stop(const std::string& message) override { stops.push_back(message); }

  int opens = 0;
  std::map<std::string, int> finds;
  std::vector<std::string> stops;

 private:
  bool present_;
  std::set<std::string> exports_;
  int marker_ = 0;
};

const std::set<std::string> kAllExports(std::begin(kExportNames), std::end(kExportNames));

TEST(ExportResolver, OpensOnceAndLooksUpEachExportAtItsFirstCall) {
  FakeLoader loader(true, kAllExports);
  ExportResolver resolver(loader);
  EXPECT_EQ(loader.opens, 0);  // nothing before the first call
  for (int round = 0; round < 3; ++round) {
    EXPECT_NE(resolver.Resolve(Export::kRegisterClass), nullptr);
    EXPECT_NE(resolver.Resolve(Export::kObjectRelease), nullptr);
  }
  EXPECT_EQ(loader.opens, 1);
  EXPECT_EQ(loader.finds, (std::map<std::string, int>{{"edgeview_RegisterClass", 1}, {"edgeview_ObjectRelease", 1}}));
  EXPECT_TRUE(loader.stops.empty());
}

// A missing file or export stops the program once, naming file and export;
// should the stop return, nothing more is tried and nothing resolves, but an
// export found before stays usable.
TEST(ExportResolver, MissingLibraryOrExportStopsOnceNamingBoth) {
  const struct {
    const char* name;
    bool present;
    std::set<std::string> exports;
    std::string message;
    int opens;
  } cases[] = {
      {"no library", false, kAllExports,
       MissingLibraryMessage("C:\\client\\edgeview.dll", "edgeview_RegisterClass"), 1},
      {"no CreateEnvironment", true, {"edgeview_RegisterClass", "edgeview_ObjectRelease"},
       MissingExportMessage("C:\\client\\edgeview.dll", "edgeview_CreateEnvironment"), 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeLoader loader(c.present, c.exports);
    ExportResolver resolver(loader);
    void* const registered = resolver.Resolve(Export::kRegisterClass);
    EXPECT_EQ(registered != nullptr, c.present);
    EXPECT_EQ(resolver.Resolve(Export::kCreateEnvironment), nullptr);
    EXPECT_EQ(resolver.Resolve(Export::kCreateEnvironment), nullptr);
    EXPECT_EQ(resolver.Resolve(Export::kObjectRelease), nullptr);
    EXPECT_EQ(resolver.Resolve(Export::kRegisterClass), registered);
    EXPECT_EQ(loader.stops, std::vector<std::string>{c.message});
    EXPECT_EQ(loader.opens, c.opens);
    EXPECT_EQ(loader.finds.count("edgeview_ObjectRelease"), 0u);
  }
}

TEST(ExportResolver, FatalMessagesNameTheFileAndTheExport) {
  const std::string file = Gbk(u8"C:\\客服\\edgeview.dll");
  for (const std::string& message : {MissingLibraryMessage(file, "edgeview_MemFree"),
                                     MissingExportMessage(file, "edgeview_MemFree")}) {
    EXPECT_NE(message.find(file), std::string::npos);
    EXPECT_NE(message.find("edgeview_MemFree"), std::string::npos);
  }
  EXPECT_NE(MissingLibraryMessage(file, "x"), MissingExportMessage(file, "x"));
}

}  // namespace
}  // namespace orvanta::edgeview
