#include <map>
#include <string>
#include <vector>

#include "browser_fixture.h"

namespace orvanta::testing {
namespace {

std::vector<int> RegisteredIds(const std::vector<std::string>& lines) {
  std::vector<int> ids;
  for (const std::string& line : lines) {
    if (line.rfind("RegisterClass id=", 0) == 0) ids.push_back(std::stoi(line.substr(17)));
  }
  return ids;
}

using ClassRegistration = BrowserTest;

// The process's first EdgeLibrary (every test constructs one before anything
// else, as the client does) registers its ten classes in order and releases
// the ten temporaries, all empty.
TEST_F(ClassRegistration, LibraryRegistersItsClassesInOrderThenReleasesTheTemporaries) {
  const std::vector<std::string> all = StandInDriver::AllLines();
  std::vector<std::string> first_twenty;
  for (const std::string& line : all) {
    if (line.rfind("RegisterClass", 0) == 0 || line.rfind("ObjectRelease", 0) == 0) first_twenty.push_back(line);
    if (first_twenty.size() == 20) break;
  }
  ASSERT_EQ(first_twenty.size(), 20u);
  EXPECT_EQ(RegisteredIds({first_twenty.begin(), first_twenty.begin() + 10}),
            (std::vector<int>{0, 1, 2, 3, 4, 7, 8, 9, 10, 11}));
  std::map<std::string, int> releases;
  for (auto line = first_twenty.begin() + 10; line != first_twenty.end(); ++line) ++releases[*line];
  EXPECT_EQ(releases, (std::map<std::string, int>{{"ObjectRelease handle=0 id=0", 1},
                                                  {"ObjectRelease handle=0 id=1", 1},
                                                  {"ObjectRelease handle=0 id=2", 1},
                                                  {"ObjectRelease handle=0 id=3", 1},
                                                  {"ObjectRelease handle=0 id=4", 1},
                                                  {"ObjectRelease handle=0 id=7", 1},
                                                  {"ObjectRelease handle=0 id=8", 1},
                                                  {"ObjectRelease handle=0 id=9", 1},
                                                  {"ObjectRelease handle=0 id=10", 1},
                                                  {"ObjectRelease handle=0 id=11", 1}}));
}

// Every operation that asks for a class, asked twice: each id still reaches
// the library exactly once in the whole process.
TEST_F(ClassRegistration, EachClassIsRegisteredOnceHoweverOftenAsked) {
  RecordingEvents events;
  MainEventSink sink(events, TestIcon());
  {
    EdgeLibrary again;
    EdgeLibrary and_again;
    EdgeEnvironment environment = MakeEnvironment();          // asks for id 0
    EdgeEnvironment second_environment = MakeEnvironment();
    EdgeWebView web_view = MakeWebView(environment, sink);    // asks for id 1
    EdgeWebView second_web_view = MakeWebView(environment, sink);
    events.kept.reset();
    web_view = EdgeWebView();                                  // releasing a page view asks for id 1
    Drive({"context-menu", std::to_string(second_web_view.GetHandle())});  // id 6
    Drive({"context-menu", std::to_string(second_web_view.GetHandle())});
    EdgeMenuItemList list;                                     // id 5
    EdgeMenuItemList second_list;
    EdgeMenuItem item;
  }
  std::map<int, int> registrations;
  for (const int id : RegisteredIds(StandInDriver::AllLines())) ++registrations[id];
  std::map<int, int> once;
  for (int id = 0; id < edgeview::kClassCount; ++id) once[id] = 1;
  EXPECT_EQ(registrations, once) << standin_.Transcript();
}

}  // namespace
}  // namespace orvanta::testing
