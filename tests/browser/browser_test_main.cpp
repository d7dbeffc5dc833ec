// The browser tests load our stand-in "edgeview.dll" from this program's
// folder through the real binding. Each test process gets a control folder of
// its own, set before the library is first called; it is removed when every
// test passed and kept for a look otherwise.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "standin_driver.h"

namespace {

// Wine opens its desktop for the first window of a display; two test
// processes that both find it missing wait on each other for up to a minute.
// The display fixture runs this once, before the tests run side by side.
int OpenDesktop() {
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  if (window == nullptr) return 1;
  DestroyWindow(window);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--open-desktop") == 0) return OpenDesktop();
  ::testing::InitGoogleTest(&argc, argv);
  SetEnvironmentVariableW(L"EDGEVIEW_STANDIN_DIR", orvanta::testing::StandInFolder().c_str());
  const int result = RUN_ALL_TESTS();
  if (result == 0) orvanta::testing::RemoveStandInFolder();
  return result;
}
